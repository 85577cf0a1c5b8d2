// Events reach the program's routines through deliver(): a handler is not
// started again while it runs, and focus that only returns runs nothing.
#include "platform/core/commands/command_table.h"
#include "platform/core/window/backend.h"
#include "platform/core/window/window_api.h"
#include "tests/window_logic/logic_fixture.h"

namespace window_logic_test {
namespace {

using core::window::deliver;
using core::window::FocusCause;
using form::state::TabStop;
using form::state::Visible;

constexpr uint32_t kFirst = 0x16000001;      // button, handler 0x100
constexpr uint32_t kSecond = 0x16000002;     // button, handler 0x200
constexpr uint32_t kTick = 0x16000003;       // timer, handler 0x300
constexpr uint32_t kEdit = 0x16000004;       // edit box, got-focus handler 0x500
constexpr uint32_t kPlain = 0x16000005;      // button without a handler
constexpr uint32_t kMenuItem = 0x26000002;   // handler 0x20
constexpr uint32_t kMenuEntry = 0x26000001;  // no handler

form::MenuItemRecord menu_item(uint32_t level, uint32_t handler) {
  form::MenuItemRecord m;
  m.caption = "m";
  m.level = level;
  m.handler = handler;
  return m;
}

class Delivery : public LogicTest {
 protected:
  void SetUp() override {
    LogicTest::SetUp();
    load(form_of({
        {kFirst, control("first", 0, form::ButtonProps{}, Visible, {{abi::event::Clicked, 0x100}})},
        {kSecond,
         control("second", 0, form::ButtonProps{}, Visible, {{abi::event::Clicked, 0x200}})},
        {kTick, control("tick", 0, form::TimerProps{}, Visible, {{abi::event::Tick, 0x300}})},
        {kEdit, control("edit", 0, form::EditBoxProps{}, Visible | TabStop,
                        {{abi::event::GotFocus, 0x500}})},
        {kPlain, control("plain", 0, form::ButtonProps{})},
        {kMenuEntry, menu_item(0, form::kNoHandler)},
        {kMenuItem, menu_item(1, 0x20)},
    }));
    ran.clear();  // the created handler
  }
};

TEST_F(Delivery, AHandlerIsNotStartedAgainWhileItRunsButOthersAre) {
  while_running = [](uint32_t code) {
    if (code == 0x100) {
      deliver(kFirst, abi::event::Clicked);  // a second click while it waits: dropped
      deliver(kTick, abi::event::Tick);
      deliver(kSecond, abi::event::Clicked);
    }
  };
  deliver(kFirst, abi::event::Clicked);
  EXPECT_EQ(ran, (std::vector<uint32_t>{0x100, 0x300, 0x200}));
  while_running = nullptr;
  deliver(kFirst, abi::event::Clicked);  // once it has returned, it runs again
  EXPECT_EQ(ran, (std::vector<uint32_t>{0x100, 0x300, 0x200, 0x100}));
}

TEST_F(Delivery, FocusThatOnlyReturnsRunsNothing) {
  deliver(kEdit, abi::event::GotFocus, FocusCause::Return);
  EXPECT_TRUE(ran.empty());
  deliver(kEdit, abi::event::GotFocus, FocusCause::Visit);
  EXPECT_EQ(ran, (std::vector<uint32_t>{0x500}));
  // The program's own SetFocusTo is a visit too.
  const abi::ArgRecord edit[] = {ref(kEdit, abi::kind::EditBox)};
  core::call_core_command(abi::cmd::SetFocusTo, 1, edit);
  EXPECT_EQ(backend->log.back(), "focus 0x16000004");
  EXPECT_EQ(ran, (std::vector<uint32_t>{0x500, 0x500}));
}

TEST_F(Delivery, OnlyBoundEventsRunAnything) {
  deliver(kPlain, abi::event::Clicked);
  deliver(kFirst, abi::event::GotFocus);  // bound to clicks only
  deliver(kMenuEntry, abi::event::Clicked);
  deliver(0x16009999, abi::event::Clicked);  // no such element
  EXPECT_TRUE(ran.empty());
  deliver(kMenuItem, abi::event::Clicked);
  EXPECT_EQ(ran, (std::vector<uint32_t>{0x20}));
}

TEST_F(Delivery, TheMessageLoopRunsUntilTheWindowCloses) {
  backend->while_running = [] {
    const abi::ArgRecord window[] = {ref(form_test::kWindow, abi::kind::Window)};
    core::call_core_command(abi::cmd::CloseWindow, 1, window);
  };
  core::window::run_message_loop();
  const std::vector<std::string> tail(backend->log.end() - 4, backend->log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"run", "close", "wake", "run ends"}));
  const size_t before = backend->log.size();
  core::window::run_message_loop();  // closed: returns at once
  EXPECT_EQ(backend->log.size(), before);
}

}  // namespace
}  // namespace window_logic_test
