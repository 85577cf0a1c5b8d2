#include "platform/core/window/qt/menu_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

#include "platform/core/window/backend.h"
#include "runtime/abi.h"

namespace core::window {

MenuKeys::MenuKeys(QMainWindow* window, uint32_t help_item) : QObject(window), window_(window) {
  if (help_item != 0) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    connect(f1, &QShortcut::activated, this,
            [help_item] { deliver(help_item, abi::event::Clicked); });
  }
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
  connect(f10, &QShortcut::activated, this, &MenuKeys::open_menu_bar);
  qApp->installEventFilter(this);
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::MouseButtonPress &&
      type != QEvent::FocusOut) {
    return false;
  }
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_) {
    return false;
  }
  switch (type) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      alt_alone_ = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
      break;
    }
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Alt && alt_alone_) {
        alt_alone_ = false;
        open_menu_bar();
      }
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::FocusOut:
      alt_alone_ = false;
      break;
    default:
      break;
  }
  return false;
}

// The first entry opens its list; the arrow keys then move along the bar.
void MenuKeys::open_menu_bar() {
  QMenuBar* bar = window_->menuBar();
  if (!bar->actions().isEmpty() && bar->activeAction() == nullptr) {
    bar->setActiveAction(bar->actions().first());
  }
}

}  // namespace core::window
