#include "tests/support/page_focus.h"

#include <QTest>
#include <QWidget>

#include "platform/core/window/qt/tab_control.h"

namespace test_support {

bool bring_forward(QWidget* widget, QWidget* window) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (auto* tab = dynamic_cast<core::window::TabControl*>(w->parentWidget())) {
      for (int i = 0; i < tab->page_count(); ++i) {
        if (tab->page(i) == w) {
          tab->set_current(i);
        }
      }
    }
  }
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

}  // namespace test_support
