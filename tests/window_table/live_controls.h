// The live window's controls found by their names alone, through the
// application's widget list, and the typed table's view of where they belong.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include "tests/window/window_fixture.h"
#include "tests/window_table/control_table.h"

namespace window_table {

class LiveControls : public window_test::WindowTest {
 public:
  // A control's top-left corner in the client area, adding up the parents'
  // positions; a tab control's children count from the tab control itself.
  static QPoint client_position(const ControlRow& row);

 protected:
  // The widget of the main window with this object name; nullptr when none.
  QWidget* control(const char* utf8_name) const;
  // The row of a control name; nullptr for a widget that is no control.
  static const ControlRow* row_named(const QString& name);
  // The nearest control at or above `w`, nullptr when none.
  static const ControlRow* enclosing_control(QWidget* w);
  // Whether `inner` lies inside `outer` by the table's parents (or is it).
  static bool contained_in(const ControlRow& inner, const ControlRow& outer);
  // Clicks the tab of `page` on 选择夹1.
  void show_page(int page);
};

}  // namespace window_table
