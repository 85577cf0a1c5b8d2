// One QApplication for a GUI test program, made before the first test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <iterator>
#include <memory>
#include <thread>

namespace test_support {

// Waits up to `limit` until this thread is the process's only one.
inline void wait_until_only_this_thread_runs(std::chrono::milliseconds limit) {
  const auto thread_count = [] {
    std::error_code error;
    const std::filesystem::directory_iterator tasks("/proc/self/task", error);
    return error ? 0 : std::distance(tasks, std::filesystem::directory_iterator());
  };
  const auto end = std::chrono::steady_clock::now() + limit;
  while (thread_count() > 1 && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

class QtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "lyb-test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }

  // The application's end stops Qt's pool threads, but they are detached:
  // the wait returns when their work is done, while each thread still runs
  // its own exit. LeakSanitizer's check at the process's exit suspends every
  // thread and crashes on one caught half torn down, so the program waits
  // (briefly) until the threads it ended are really gone.
  void TearDown() override {
    app_.reset();
    wait_until_only_this_thread_runs(std::chrono::seconds(5));
  }

 private:
  std::unique_ptr<QApplication> app_;
};

}  // namespace test_support
