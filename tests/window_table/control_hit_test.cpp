// A click at the centre of each visible control lands on that control. A
// container's centre may hold a control drawn over it, as long as that
// control lies within the container's area (编辑框1 lies inside 分组框2
// without belonging to it); nothing else covers a control.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/window_table/live_controls.h"

namespace window_table {
namespace {

QRect client_area(const ControlRow& row) {
  return {LiveControls::client_position(row), QSize(row.width, row.height)};
}

bool is_container(const ControlRow& row) {
  return row.kind == Kind::GroupBox || row.kind == Kind::TabControl;
}

class ControlHit : public LiveControls {};

TEST_F(ControlHit, TheCentreOfEachVisibleControlLandsOnIt) {
  int checked = 0;
  for (int page : {0, 1}) {
    show_page(page);
    for (const ControlRow& row : control_rows()) {
      if (!shown_at_start(row) || (row.page >= 0 && row.page != page)) {
        continue;
      }
      QWidget* w = control(row.name);
      ASSERT_NE(w, nullptr) << row.name;
      const QPoint centre = w->mapToGlobal(w->rect().center());
      QWidget* hit = QApplication::widgetAt(centre);
      const ControlRow* landed = enclosing_control(hit);
      ASSERT_NE(landed, nullptr) << row.name << ": nothing of the window at the centre";
      EXPECT_TRUE(landed == &row ||
                  (is_container(row) &&
                   (contained_in(*landed, row) || client_area(row).contains(client_area(*landed)))))
          << "a click at the centre of " << row.name << " reaches " << landed->name;
      ++checked;
    }
  }
  // The window's own four show with either page.
  EXPECT_EQ(checked, 41 + 4);
}

}  // namespace
}  // namespace window_table
