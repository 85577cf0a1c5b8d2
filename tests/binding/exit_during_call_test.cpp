// The program may end while another thread is still inside a declared
// library's function (a request that never answers): the library's code must
// stay mapped until the process is gone.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/core/binding/dll_calls.h"

namespace {

constexpr const char* kLibrary = "testdll.dll";
constexpr const char* kDirectory = TEST_DLL_DIR;

// Made before, so destroyed after, the binding's state: when on, it holds the
// exiting process for a moment, long enough for a thread inside a library
// that the state's end unloaded to fault.
struct LingerAtExit {
  bool on = false;
  ~LingerAtExit() {
    if (on) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
} g_linger;

TEST(ExitDuringCallDeathTest, TheProgramEndsCleanlyWhileACallStillRuns) {
  binding::set_declarations({{kLibrary, "Spin"}}, kDirectory);
  EXPECT_EXIT(
      {
        g_linger.on = true;
        std::atomic<bool> running = false;
        const uintptr_t words[] = {reinterpret_cast<uintptr_t>(&running)};
        std::thread([&] { binding::call_dll_function(0, 1, words); }).detach();
        while (!running) {
          std::this_thread::yield();
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
