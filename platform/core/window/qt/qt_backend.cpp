#include "platform/core/window/qt/qt_backend.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include "platform/core/window/qt/app_instance.h"
#include "platform/core/window/qt/control_builders.h"
#include "platform/core/window/qt/controls.h"
#include "platform/core/window/qt/html_view.h"
#include "platform/core/window/qt/look.h"
#include "platform/core/window/qt/menu_keys.h"
#include "platform/core/window/qt/tab_control.h"
#include "platform/gbk/gbk_text.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

// A handle is the address of the QObject behind it.
Handle handle_of(QObject* object) {
  return reinterpret_cast<Handle>(object);
}

QObject* object_at(Handle handle) {
  return reinterpret_cast<QObject*>(handle);
}

QWidget* widget_at(Handle handle) {
  return static_cast<QWidget*>(object_at(handle));
}

template <class W>
W* as(Handle handle) {
  return static_cast<W*>(object_at(handle));
}

}  // namespace

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) {
    window_closed();
  }
}

QtBackend::QtBackend() {
  ensure_application();
  end_signals_ = std::make_unique<EndSignals>([this] {
    if (window_) {
      window_->close();
    }
  });
}

QtBackend::~QtBackend() {
  end_signals_.reset();
  set_busy(false);
  delete window_.data();
  destroy_owned_application();
}

Handle QtBackend::create_window(uint32_t, const form::ControlRecord& record) {
  const auto& props = std::get<form::WindowProps>(record.properties);
  window_ = new MainWindow;
  window_->setWindowTitle(to_qtext(props.caption));
  QPixmap icon;
  if (icon.loadFromData(props.icon.data(), static_cast<unsigned>(props.icon.size()), "ICO")) {
    window_->setWindowIcon(icon);
  }
  font_ = default_font();
  window_->setFont(font_);

  client_ = new QWidget;
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(std::max(record.geometry.width - kFrameWidth, 0),
                        std::max(record.geometry.height - kFrameHeight, 0));
  window_->setCentralWidget(client_);
  window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  window_->move(record.geometry.left, record.geometry.top);
  return handle_of(window_);
}

void QtBackend::add_menu(uint32_t id, const form::MenuItemRecord& item, MenuSlot slot) {
  const QString caption = to_qtext(item.caption);
  QMenuBar* bar = window_->menuBar();
  if (slot == MenuSlot::BarList) {
    list_ = bar->addMenu(caption);
    return;
  }
  QAction* action =
      slot == MenuSlot::BarCommand ? bar->addAction(caption) : list_->addAction(caption);
  QObject::connect(action, &QAction::triggered, action, [id] { deliver(id, abi::event::Clicked); });
}

QWidget* QtBackend::container(Place place) const {
  if (place.container == 0) {
    return client_;
  }
  QWidget* widget = widget_at(place.container);
  auto* tab = dynamic_cast<TabControl*>(widget);
  return tab != nullptr && place.page >= 0 ? tab->page(place.page) : widget;
}

Handle QtBackend::create(uint32_t id, const form::ControlRecord& record, Place place) {
  const BuildFn build = builder_for(form::kind_code(record.properties));
  if (build == nullptr) {
    return 0;
  }
  return handle_of(build({id, record, container(place), window_, font_}));
}

void QtBackend::lower(Handle control) {
  widget_at(control)->lower();
}

void QtBackend::set_accessible_name(Handle control, std::string_view gbk_name) {
  widget_at(control)->setAccessibleName(gbk::to_qstring(gbk_name));
}

void QtBackend::show(const FocusPlan& plan) {
  for (size_t i = 1; i < plan.tab_order.size(); ++i) {
    QWidget::setTabOrder(widget_at(plan.tab_order[i - 1]), widget_at(plan.tab_order[i]));
  }
  for (const auto& [edit, button] : plan.enter_clicks) {
    QObject::connect(as<FocusEdit>(edit), &QLineEdit::returnPressed, as<QPushButton>(button),
                     &QPushButton::click);
  }
  new MenuKeys(window_, plan.help_item);
  if (plan.start != 0) {
    widget_at(plan.start)->setFocus(Qt::OtherFocusReason);
  }
  window_->show();
}

void QtBackend::run_until(const std::function<bool()>& done) {
  if (done()) {
    return;
  }
  end_quietly_if_display_lost();
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
}

void QtBackend::wake() {
  if (loop_ != nullptr) {
    loop_->quit();
  }
}

void QtBackend::process_events() {
  QCoreApplication::processEvents();
}

void QtBackend::close_window() {
  window_->close();
}

// The cursor is the application's, so it also shows over a message box
// opened while the program waits.
void QtBackend::set_busy(bool busy) {
  if (busy == busy_) {
    return;
  }
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

std::string QtBackend::text(Handle edit_box) const {
  return gbk::from_qstring(as<FocusEdit>(edit_box)->text());
}

void QtBackend::set_text(Handle control, std::string_view gbk_text) {
  const QString text = gbk::to_qstring(gbk_text);
  if (auto* label = dynamic_cast<PlainLabel*>(object_at(control))) {
    label->set_caption(text);
  } else if (auto* edit = dynamic_cast<FocusEdit*>(object_at(control))) {
    edit->setText(text);
    edit->end(false);
  }
}

void QtBackend::set_enabled(Handle control, bool enabled) {
  widget_at(control)->setEnabled(enabled);
}

void QtBackend::set_picture(Handle picture_box, std::span<const uint8_t> bmp_file) {
  as<PictureBox>(picture_box)->set_picture(bmp_file);
}

void QtBackend::set_html(Handle browser, std::string_view gbk_address) {
  as<HtmlView>(browser)->set_address(std::string(gbk_address));
}

int QtBackend::page(Handle tab_control) const {
  return as<TabControl>(tab_control)->current();
}

void QtBackend::set_page(Handle tab_control, int page) {
  as<TabControl>(tab_control)->set_current(page);
}

void QtBackend::set_timer(Handle timer, int32_t interval_ms) {
  auto* t = as<QTimer>(timer);
  t->stop();
  if (interval_ms > 0) {
    t->start(interval_ms);
  }
}

void QtBackend::set_focus(Handle control) {
  widget_at(control)->setFocus(Qt::OtherFocusReason);
}

bool QtBackend::can_show_message() const {
  const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  return app != nullptr && QThread::currentThread() == app->thread();
}

void QtBackend::message_box(std::string_view gbk_title, std::string_view gbk_text) {
  // exec() keeps the window's events (timers, repaints) running while the box
  // is open, as the program relies on.
  QMessageBox box(QMessageBox::NoIcon, gbk::to_qstring(gbk_title), gbk::to_qstring(gbk_text),
                  QMessageBox::Ok, window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace core::window
