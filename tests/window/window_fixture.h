// Builds the program's real window offscreen for each test, with a
// RoutineInvoker that records which routines the events reach.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>

#include <functional>
#include <vector>

#include "image/routine_list.h"
#include "runtime/abi.h"
#include "tests/support/temp_dir.h"

namespace window_test {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QMainWindow* window() const;
  QWidget* client() const;
  template <class W = QWidget>
  W* find(const char* utf8_name) const {
    return window()->findChild<W*>(QString::fromUtf8(utf8_name));
  }

  // Makes the tab page holding this widget the current one and activates
  // the window, so clicks and keys reach the widget.
  void bring_forward(QWidget* widget);

  // Routines reached so far, by name.
  std::vector<std::string> routines() const;
  void clear_routines() { calls_.clear(); }

  // Runs inside the invoker, for handlers that do something while they run.
  std::function<void(uint32_t)> while_running;

  static abi::ArgRecord ref(uint32_t control, uint32_t kind) {
    return {abi::kMainWindowId, control, kind};
  }

 private:
  // The browser boxes' stored addresses name a drive; its folder goes here,
  // not into the user's home.
  test_support::TempDir data_home_;
  test_support::ScopedEnv data_env_{"XDG_DATA_HOME", data_home_.path().string()};
  std::vector<uint32_t> calls_;
  size_t blocks_at_start_ = 0;
};

std::string routine_name(uint32_t code_offset);

}  // namespace window_test
