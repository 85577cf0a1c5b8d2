#include "tests/window/window_fixture.h"

#include <QTabBar>
#include <QTest>

#include "platform/core/memory/memory.h"
#include "platform/core/window/window_api.h"
#include "tests/support/page_focus.h"
#include "tests/support/qt_app.h"
#include "ui/form_tables.h"

namespace window_test {
namespace {

[[maybe_unused]] auto* const g_qt =
    ::testing::AddGlobalTestEnvironment(new test_support::QtEnvironment);

}  // namespace

std::string routine_name(uint32_t code_offset) {
  const uint32_t i = code_offset / program::kRoutineRecordSize;
  return i < std::size(program::kRoutineNames) ? std::string(program::kRoutineNames[i])
                                               : "offset " + std::to_string(code_offset);
}

void WindowTest::SetUp() {
  blocks_at_start_ = core::live_blocks();
  core::window::register_window_commands();
  core::window::attach_form(ui::build_form_section(), [this](uint32_t code_offset) {
    calls_.push_back(code_offset);
    if (while_running) {
      while_running(code_offset);
    }
  });
  core::window::load_start_window(abi::kMainWindowId);
}

void WindowTest::TearDown() {
  core::window::shut_down();
  EXPECT_EQ(core::live_blocks(), blocks_at_start_) << "a test kept a block it was handed";
}

QMainWindow* WindowTest::window() const {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
      return main;
    }
  }
  return nullptr;
}

QWidget* WindowTest::client() const {
  return window()->centralWidget();
}

void WindowTest::bring_forward(QWidget* widget) {
  ASSERT_TRUE(test_support::bring_forward(widget, window()));
}

std::vector<std::string> WindowTest::routines() const {
  std::vector<std::string> names;
  for (uint32_t offset : calls_) {
    names.push_back(routine_name(offset));
  }
  return names;
}

}  // namespace window_test
