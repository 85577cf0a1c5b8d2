// Events reach their routines: each of the bindings, got-focus on every
// visit, the timer only while its interval is not 0, no second start of a
// running handler.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/core/commands/command_table.h"
#include "platform/core/window/window_api.h"
#include "tests/window/window_fixture.h"
#include "ui/control_ids.h"
#include "ui/form_tables.h"

namespace window_test {
namespace {

using namespace ui::id;
using core::window::write_property;

class WindowEvents : public WindowTest {
 protected:
  QAction* menu_action(const char* caption) {
    for (QAction* entry : window()->menuBar()->actions()) {
      if (entry->text() == QString::fromUtf8(caption)) {
        return entry;
      }
      for (QAction* item : entry->menu()->actions()) {
        if (item->text() == QString::fromUtf8(caption)) {
          return item;
        }
      }
    }
    return nullptr;
  }
};

TEST_F(WindowEvents, CreatedRunsOnceWhenTheWindowIsUp) {
  EXPECT_EQ(routines(), (std::vector<std::string>{"OnWindowCreated"}));
  EXPECT_TRUE(window()->isVisible());
}

struct EventRow {
  const char* control;  // widget name, or menu caption
  enum { Click, Focus, Menu } how;
  const char* routine;
};

const EventRow kEvents[] = {
    {"按钮16", EventRow::Click, "RequestVoiceCode"},
    {"按钮15", EventRow::Click, "SubmitRegistration"},
    {"编辑框3", EventRow::Focus, "OnRegisterMobileGotFocus"},
    {"编辑框4", EventRow::Focus, "OnVoiceCodeGotFocus"},
    {"编辑框2", EventRow::Focus, "OnLoginMobileGotFocus"},
    {"编辑框1", EventRow::Focus, "OnPictureCodeGotFocus"},
    {"按钮1", EventRow::Click, "LogIn"},
    {"按钮2", EventRow::Click, "ClaimAndShowBalance"},
    {"按钮14", EventRow::Click, "OnDialClicked"},
    {"按钮3", EventRow::Click, "OnKey1Clicked"},
    {"按钮4", EventRow::Click, "OnKey2Clicked"},
    {"按钮5", EventRow::Click, "OnKey3Clicked"},
    {"按钮6", EventRow::Click, "OnKey4Clicked"},
    {"按钮7", EventRow::Click, "OnKey5Clicked"},
    {"按钮8", EventRow::Click, "OnKey6Clicked"},
    {"按钮9", EventRow::Click, "OnKey7Clicked"},
    {"按钮10", EventRow::Click, "OnKey8Clicked"},
    {"按钮11", EventRow::Click, "OnKey9Clicked"},
    {"按钮13", EventRow::Click, "OnKey0Clicked"},
    {"按钮12", EventRow::Click, "OnClearClicked"},
    {"退出", EventRow::Menu, "OnExitChosen"},
    {"领取15分钟", EventRow::Menu, "ClaimFromMenu"},
    {"商城购物", EventRow::Menu, "OpenMallShopping"},
    {"靓女商城", EventRow::Menu, "OpenLadiesMall"},
    {"淘宝皇冠店铺精选", EventRow::Menu, "OpenCrownShops"},
    {"机票频道", EventRow::Menu, "OpenAirTickets"},
    {"综合频道", EventRow::Menu, "OpenGeneralChannel"},
    {"母婴频道", EventRow::Menu, "OpenMotherAndBaby"},
    {"电器城频道", EventRow::Menu, "OpenAppliances"},
    {"秒杀及满立减", EventRow::Menu, "OpenFlashSales"},
    {"美容频道", EventRow::Menu, "OpenBeauty"},
    {"韩版衣舍(女)", EventRow::Menu, "OpenKoreanWomenswear"},
    {"瘦身官方", EventRow::Menu, "OpenSlimmingShop"},
    {"男装牛逼", EventRow::Menu, "OpenMenswear"},
    {"韩都旗舰店", EventRow::Menu, "OpenKoreanFlagship"},
    {"注册帮助", EventRow::Menu, "OpenRegistrationHelp"},
};

// With the created and the tick bindings (tested on their own), 38.
static_assert(std::size(kEvents) == 36);

TEST_F(WindowEvents, EachBindingReachesItsOwnRoutine) {
  write_property(abi::kMainWindowId, 按钮2, abi::property::Disabled, -1, 0, 0);
  for (const EventRow& row : kEvents) {
    SCOPED_TRACE(row.control);
    clear_routines();
    if (row.how == EventRow::Menu) {
      QAction* action = menu_action(row.control);
      ASSERT_NE(action, nullptr);
      action->trigger();
    } else {
      QWidget* w = find(row.control);
      ASSERT_NE(w, nullptr);
      bring_forward(w);
      QTest::mouseClick(w, Qt::LeftButton);
    }
    EXPECT_EQ(routines(), (std::vector<std::string>{row.routine}));
  }
}

TEST_F(WindowEvents, TopLevelMenuEntriesRunNothing) {
  clear_routines();
  for (QAction* entry : window()->menuBar()->actions()) {
    entry->trigger();
  }
  EXPECT_TRUE(routines().empty());
}

TEST_F(WindowEvents, GotFocusFiresOnClickAndTabOnEveryVisit) {
  auto* mobile = find<QLineEdit>("编辑框3");
  bring_forward(mobile);
  clear_routines();
  QTest::mouseClick(mobile, Qt::LeftButton);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), mobile);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), mobile);
  QTest::mouseClick(find("编辑框4"), Qt::LeftButton);
  QTest::mouseClick(mobile, Qt::LeftButton);
  EXPECT_EQ(routines(),
            (std::vector<std::string>{"OnRegisterMobileGotFocus", "OnRegisterMobileGotFocus",
                                      "OnVoiceCodeGotFocus", "OnRegisterMobileGotFocus"}));
}

TEST_F(WindowEvents, FocusComingBackWithTheWindowIsNoNewVisit) {
  auto* mobile = find<QLineEdit>("编辑框3");
  bring_forward(mobile);
  QTest::mouseClick(mobile, Qt::LeftButton);
  clear_routines();
  QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(mobile, &back);
  QFocusEvent after_menu(QEvent::FocusIn, Qt::PopupFocusReason);
  QApplication::sendEvent(mobile, &after_menu);
  EXPECT_TRUE(routines().empty());
}

TEST_F(WindowEvents, NoGotFocusHandlerRunsAtStartOrOnPageChanges) {
  EXPECT_EQ(routines(), (std::vector<std::string>{"OnWindowCreated"}));
  bring_forward(find("按钮16"));
  auto* tab = find("选择夹1");
  write_property(abi::kMainWindowId, 选择夹1, abi::property::CurrentPage, -1, 1, 0);
  write_property(abi::kMainWindowId, 选择夹1, abi::property::CurrentPage, -1, 0, 0);
  QTest::qWait(20);
  EXPECT_TRUE(tab->isVisible());
  EXPECT_EQ(routines(), (std::vector<std::string>{"OnWindowCreated"}));
}

TEST_F(WindowEvents, LoginNumberRefusesATwelfthCharacter) {
  auto* edit = find<QLineEdit>("编辑框2");
  bring_forward(edit);
  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::keyClicks(edit, "123456789012");
  EXPECT_EQ(edit->text(), QStringLiteral("12345678901"));
  auto* number = find<QLineEdit>("拨打电话");
  bring_forward(number);
  QTest::mouseClick(number, Qt::LeftButton);
  QTest::keyClicks(number, "0123456789012345");
  EXPECT_EQ(number->text().size(), 16);
}

TEST_F(WindowEvents, TimerTicksOnlyWhileItsIntervalIsNotZero) {
  clear_routines();
  QTest::qWait(60);
  EXPECT_TRUE(routines().empty());
  write_property(abi::kMainWindowId, 时钟1, abi::property::Content, -1, 15, 0);
  EXPECT_TRUE(QTest::qWaitFor([this] { return routines().size() >= 2; }, 2000));
  write_property(abi::kMainWindowId, 时钟1, abi::property::Content, -1, 0, 0);
  const size_t ticks = routines().size();
  QTest::qWait(60);
  EXPECT_EQ(routines().size(), ticks);
  for (const std::string& r : routines()) {
    EXPECT_EQ(r, "WatchdogTick");
  }
}

// A handler that waits (here: processes events) sees a second click on its
// own button dropped and another button's click delivered; the timer's tick
// still runs inside the submit handler it watches.
TEST_F(WindowEvents, RunningHandlerIsNotStartedTwiceButOthersRun) {
  auto* one = find<QPushButton>("按钮3");
  auto* two = find<QPushButton>("按钮4");
  bring_forward(one);
  bool nested = false;
  while_running = [&](uint32_t offset) {
    if (routine_name(offset) != "OnKey1Clicked" || nested) {
      return;
    }
    nested = true;
    one->click();
    two->click();
  };
  clear_routines();
  one->click();
  EXPECT_EQ(routines(), (std::vector<std::string>{"OnKey1Clicked", "OnKey2Clicked"}));

  while_running = [&](uint32_t offset) {
    if (routine_name(offset) == "RequestVoiceCode") {
      write_property(abi::kMainWindowId, 时钟1, abi::property::Content, -1, 10, 0);
      EXPECT_TRUE(QTest::qWaitFor([this] { return routines().size() >= 2; }, 2000));
      write_property(abi::kMainWindowId, 时钟1, abi::property::Content, -1, 0, 0);
    }
  };
  clear_routines();
  find<QPushButton>("按钮16")->click();
  EXPECT_EQ(routines(), (std::vector<std::string>{"RequestVoiceCode", "WatchdogTick"}));
}

TEST_F(WindowEvents, CloseWindowEndsTheMessageLoop) {
  QTimer::singleShot(0, [] {
    const abi::ArgRecord args[] = {ref(abi::kWindowElementId, abi::kind::Window), {}};
    core::call_core_command(abi::cmd::CloseWindow, 2, args);
  });
  core::window::run_message_loop();
  EXPECT_FALSE(window()->isVisible());
  // A loop asked for after the window closed returns at once.
  core::window::run_message_loop();
}

TEST_F(WindowEvents, ClosingByTheFrameEndsTheMessageLoopToo) {
  QTimer::singleShot(0, [this] { window()->close(); });
  core::window::run_message_loop();
  EXPECT_FALSE(window()->isVisible());
}

}  // namespace
}  // namespace window_test
