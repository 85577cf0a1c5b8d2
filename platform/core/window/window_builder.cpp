#include "platform/core/window/window_builder.h"

#include <QApplication>
#include <QGroupBox>
#include <QLayout>
#include <QMenuBar>
#include <QPixmap>

#include <algorithm>

#include "image/form/form_reader.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/control_builders.h"
#include "platform/core/window/look.h"
#include "platform/core/window/tab_control.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

class Builder {
 public:
  Builder(const form::Form& form, MainWindow* window, QWidget* client, QFont font)
      : form_(form), window_(window), client_(client), font_(std::move(font)) {}

  LiveControl& build(const form::Element& element) {
    Session& s = session();
    if (auto it = s.controls.find(element.id); it != s.controls.end()) {
      return it->second;
    }
    const auto& record = std::get<form::ControlRecord>(element.record);
    const BuildFn fn = builder_for(form::kind_code(record.properties));
    if (!fn) {
      fatal_error(std::string("LoadStartWindow: no builder for a ") +
                  form::kind_name(form::kind_code(record.properties)));
    }
    const BuildContext ctx{element.id, record, container(element.id, record.parent), window_,
                           font_};
    return s.controls.emplace(element.id, fn(ctx)).first->second;
  }

 private:
  // Where a control goes: the client area, its group box, or the page of the
  // tab control whose list names it (pages are separated by id 0).
  QWidget* container(uint32_t child, uint32_t parent_id) {
    if (parent_id == 0) {
      return client_;
    }
    const form::Element* parent = form::find_element(form_, parent_id);
    QWidget* widget = build(*parent).widget;
    auto* tab = dynamic_cast<TabControl*>(widget);
    if (!tab) {
      return widget;
    }
    const auto& ids = std::get<form::ControlRecord>(parent->record).children;
    const auto at = std::find(ids.begin(), ids.end(), child);
    const auto page = std::count(ids.begin(), at, 0u);
    return tab->page(std::min(static_cast<int>(page), tab->page_count() - 1));
  }

  const form::Form& form_;
  MainWindow* window_;
  QWidget* client_;
  QFont font_;
};

void build_menu(QMenuBar* bar, const form::Form& form) {
  QMenu* list = nullptr;
  const auto& els = form.elements;
  for (size_t i = 0; i < els.size(); ++i) {
    const auto* item = std::get_if<form::MenuItemRecord>(&els[i].record);
    if (!item) {
      continue;
    }
    const QString caption = to_qtext(item->caption);
    QAction* action = nullptr;
    if (item->level == 0) {
      const auto* next =
          i + 1 < els.size() ? std::get_if<form::MenuItemRecord>(&els[i + 1].record) : nullptr;
      const bool has_list = next && next->level == 1;
      list = has_list ? bar->addMenu(caption) : nullptr;
      action = has_list ? nullptr : bar->addAction(caption);
    } else {
      action = list->addAction(caption);
    }
    if (action && item->handler != form::kNoHandler) {
      QObject::connect(action, &QAction::triggered, action, [code = item->handler] { fire(code); });
    }
  }
}

// Group boxes draw under the controls that lie in their area without being
// their children (and so take no clicks meant for those controls).
void lower_group_boxes() {
  for (auto& [id, control] : session().controls) {
    if (control.kind == abi::kind::GroupBox && control.widget) {
      control.widget->lower();
    }
  }
}

// Tab visits the controls in the form's order. The start focus goes to the
// first control on show that takes the Tab key and has no got-focus handler,
// so nothing runs before the user acts.
void set_focus_order(const form::Form& form, MainWindow* window) {
  QWidget* previous = nullptr;
  QWidget* start = nullptr;
  for (const form::Element& e : form.elements) {
    const auto it = session().controls.find(e.id);
    if (it == session().controls.end() || !it->second.widget || e.id == form.elements[0].id) {
      continue;
    }
    QWidget* w = it->second.widget;
    if (!(w->focusPolicy() & Qt::TabFocus)) {
      continue;
    }
    if (previous) {
      QWidget::setTabOrder(previous, w);
    }
    previous = w;
    const auto& record = std::get<form::ControlRecord>(e.record);
    if (!start && w->isVisibleTo(window) && w->isEnabled() &&
        !handler_for(record, abi::event::GotFocus)) {
      start = w;
    }
  }
  if (start) {
    start->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace

MainWindow* build_window(const form::Form& form) {
  const auto& record = std::get<form::ControlRecord>(form.elements[0].record);
  const auto& props = std::get<form::WindowProps>(record.properties);
  auto* window = new MainWindow;
  window->setWindowTitle(to_qtext(props.caption));
  QPixmap icon;
  if (icon.loadFromData(props.icon.data(), static_cast<unsigned>(props.icon.size()), "ICO")) {
    window->setWindowIcon(icon);
  }
  // The original's default control font: 12 pixels.
  QFont font = QApplication::font();
  font.setPixelSize(12);
  window->setFont(font);
  build_menu(window->menuBar(), form);

  auto* client = new QWidget;
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(std::max(record.geometry.width - kFrameWidth, 0),
                       std::max(record.geometry.height - kFrameHeight, 0));
  window->setCentralWidget(client);
  window->layout()->setSizeConstraint(QLayout::SetFixedSize);
  window->move(record.geometry.left, record.geometry.top);

  session().controls[form.elements[0].id] = {abi::kind::Window, window, nullptr};
  Builder builder(form, window, client, font);
  for (const form::Element& e : form.elements) {
    if (e.id != form.elements[0].id && std::holds_alternative<form::ControlRecord>(e.record)) {
      builder.build(e);
    }
  }
  lower_group_boxes();
  set_focus_order(form, window);
  return window;
}

}  // namespace core::window
