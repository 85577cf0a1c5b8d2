// The keyboard as a person uses it: Tab through each page in reading order,
// Enter in a box clicks its button, Enter or Space clicks a focused button,
// F1 opens the help, F10 and Alt open the menu bar.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "platform/core/window/qt/tab_control.h"
#include "platform/core/window/window_api.h"
#include "tests/window/window_fixture.h"
#include "ui/control_ids.h"

namespace window_test {
namespace {

class WindowKeyboard : public WindowTest {
 protected:
  // The widgets Tab reaches from `start`, by name, until it comes back to
  // `start` or has made `steps` steps.
  std::vector<std::string> tab_from(const char* start, size_t steps) {
    QWidget* first = find(start);
    bring_forward(first);
    first->setFocus(Qt::OtherFocusReason);
    std::vector<std::string> visited;
    for (size_t i = 0; i < steps; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* now = QApplication::focusWidget();
      if (now == nullptr || now == first) {
        break;
      }
      visited.push_back(now->objectName().toStdString());
    }
    return visited;
  }

  void close_menu() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
    }
    window()->menuBar()->setActiveAction(nullptr);
  }
};

TEST_F(WindowKeyboard, TabVisitsPageOneInReadingOrderThenTheAdvertisements) {
  EXPECT_EQ(tab_from("编辑框3", 6), (std::vector<std::string>{"按钮16", "编辑框4", "按钮15",
                                                              "超文本浏览框2", "超文本浏览框3"}));
}

TEST_F(WindowKeyboard, TabVisitsPageTwoGroupByGroupAndTheDialPadInKeyOrder) {
  core::window::write_property(abi::kMainWindowId, ui::id::按钮2, abi::property::Disabled, -1, 0,
                               0);
  EXPECT_EQ(
      tab_from("编辑框2", 25),
      (std::vector<std::string>{"编辑框1", "按钮1", "按钮2", "拨打电话", "按钮3", "按钮4", "按钮5",
                                "按钮6", "按钮7", "按钮8", "按钮9", "按钮10", "按钮11", "按钮13",
                                "按钮14", "按钮12", "超文本浏览框2", "超文本浏览框3"}));
}

TEST_F(WindowKeyboard, TheStartFocusIsTheStripAndRunsNoHandler) {
  EXPECT_EQ(window()->focusWidget(), find("超文本浏览框2"));
  EXPECT_EQ(routines(), (std::vector<std::string>{"OnWindowCreated"}));
}

struct EnterRow {
  const char* box;
  const char* routine;
};

TEST_F(WindowKeyboard, EnterInEachBoxClicksItsButton) {
  const EnterRow rows[] = {
      {"编辑框3", "RequestVoiceCode"},
      {"编辑框4", "SubmitRegistration"},
      {"编辑框2", "LogIn"},
      {"编辑框1", "LogIn"},
      {"拨打电话", "OnDialClicked"},
  };
  for (const EnterRow& row : rows) {
    SCOPED_TRACE(row.box);
    QWidget* box = find(row.box);
    bring_forward(box);
    QTest::mouseClick(box, Qt::LeftButton);
    clear_routines();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter);  // the keypad's
    EXPECT_EQ(routines(), (std::vector<std::string>{row.routine, row.routine}));
  }
}

TEST_F(WindowKeyboard, EnterAndSpaceOnAFocusedButtonClickIt) {
  QWidget* submit = find("按钮16");
  bring_forward(submit);
  submit->setFocus(Qt::TabFocusReason);
  clear_routines();
  QTest::keyClick(submit, Qt::Key_Return);
  QTest::keyClick(submit, Qt::Key_Space);
  EXPECT_EQ(routines(), (std::vector<std::string>{"RequestVoiceCode", "RequestVoiceCode"}));
}

TEST_F(WindowKeyboard, F1RunsTheRegistrationHelpFromAnyControl) {
  for (const char* name : {"编辑框3", "按钮3"}) {
    SCOPED_TRACE(name);
    QWidget* w = find(name);
    bring_forward(w);
    w->setFocus(Qt::OtherFocusReason);
    clear_routines();
    QTest::keyClick(w, Qt::Key_F1);
    EXPECT_EQ(routines(), (std::vector<std::string>{"OpenRegistrationHelp"}));
  }
}

TEST_F(WindowKeyboard, F10AndAltAloneOpenTheMenuBar) {
  QWidget* box = find("编辑框3");
  bring_forward(box);
  QMenuBar* bar = window()->menuBar();
  QTest::keyClick(box, Qt::Key_F10);
  ASSERT_NE(bar->activeAction(), nullptr);
  EXPECT_EQ(bar->activeAction()->text(), QStringLiteral("菜单"));
  close_menu();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
  EXPECT_NE(bar->activeAction(), nullptr);
  close_menu();
  // Alt as part of a combination is no menu key.
  QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
  QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
  EXPECT_EQ(bar->activeAction(), nullptr);
}

}  // namespace
}  // namespace window_test
