#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/binding/dll_calls.h"
#include "platform/core/binding/dll_host.h"
#include "platform/core/errors/errors.h"
#include "tests/support/temp_dir.h"

namespace {

void declare(std::vector<binding::DeclaredFunction> d, std::string directory = TEST_DLL_DIR) {
  binding::set_declarations(std::move(d), std::move(directory));
}

TEST(CallDllFunction, CallsTheFunctionWithItsWords) {
  declare({{"testdll.dll", "Add"}});
  const uintptr_t words[] = {40, 2};
  EXPECT_EQ(binding::call_dll_function(0, 2, words), 42u);
  EXPECT_EQ(binding::call_dll_function(0, 2, words), 42u);  // resolved once, called again
}

TEST(CallDllFunction, AMissingLibraryMakesTheCallANoOp) {
  declare({{"SkinH_EL.dll", "SkinH_AttachRes"}});
  const uintptr_t words[] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(binding::call_dll_function(0, 6, words), 0u);
}

TEST(CallDllFunctionDeathTest, AWordCountThatDiffersIsRuntimeError6) {
  declare({{"testdll.dll", "Add"}});
  const uintptr_t words[] = {1, 2, 3};
  EXPECT_EXIT(binding::call_dll_function(0, 3, words),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus),
              "Add takes 2 argument words, the call passed 3(.|\n)*runtime error 6");
}

TEST(CallDllFunctionDeathTest, AFunctionMissingFromAPresentLibraryIsRuntimeError6) {
  declare({{"testdll.dll", "Nope"}});
  EXPECT_EXIT(binding::call_dll_function(0, 0, nullptr),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus),
              "declared function Nope is not in testdll.dll(.|\n)*runtime error 6");
}

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

// The program may end while another thread is still inside a declared
// library's function (a request that never answers): the library's code must
// stay mapped until the process is gone.
TEST(CallDllFunctionDeathTest, TheProgramEndsCleanlyWhileACallStillRuns) {
  declare({{"testdll.dll", "Spin"}});
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

TEST(CallDllFunctionDeathTest, AnIndexWithoutDeclarationIsAnInternalFault) {
  declare({});
  EXPECT_EXIT(binding::call_dll_function(3, 0, nullptr),
              ::testing::ExitedWithCode(core::kFatalErrorStatus), "no declared function 3");
}

// The empty name searches kernel32, user32 and advapi32 in that order; the
// test's system directory numbers them 1, 2 and 3.
struct SearchRow {
  const char* library;
  const char* function;
  uintptr_t reached;  // the number of the library that answered; 0: a no-op
};

class SystemSearch : public ::testing::TestWithParam<SearchRow> {};

TEST_P(SystemSearch, FindsTheFunctionInTheFirstLibraryThatHasIt) {
  declare({{GetParam().library, GetParam().function}}, TEST_SYSTEM_DIR);
  EXPECT_EQ(binding::call_dll_function(0, 0, nullptr), GetParam().reached);
}

INSTANTIATE_TEST_SUITE_P(Libraries, SystemSearch,
                         ::testing::Values(SearchRow{"", "First", 1}, SearchRow{"", "Second", 2},
                                           SearchRow{"", "Third", 3}, SearchRow{"", "Both", 1},
                                           SearchRow{"user32.dll", "Both", 2},
                                           SearchRow{"USER32", "Second", 2},
                                           SearchRow{"advapi32.dll", "Third", 3},
                                           SearchRow{"wininet.dll", "Both", 0}));

TEST(SystemSearchDeathTest, AFunctionInNoneOfThePresentSystemLibrariesIsRuntimeError6) {
  declare({{"", "Nowhere"}}, TEST_SYSTEM_DIR);
  EXPECT_EXIT(binding::call_dll_function(0, 0, nullptr),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus),
              "declared function Nowhere is not in the system libraries(.|\n)*runtime error 6");
}

// A program directory holding only kernel32: every other library is missing.
class MissingLibraries : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_symlink(std::string(TEST_SYSTEM_DIR) + "/kernel32.dll.so",
                                    dir_ / "kernel32.dll.so");
  }
  test_support::TempDir dir_;
};

TEST_F(MissingLibraries, EachMissingLibraryMakesItsCallsNoOps) {
  declare({{"user32.dll", "Second"},
           {"advapi32.dll", "Third"},
           {"wininet.dll", "InternetOpenA"},
           {"", "Second"},
           {"", "First"}},
          dir_.path().string());
  EXPECT_EQ(binding::call_dll_function(0, 0, nullptr), 0u);
  EXPECT_EQ(binding::call_dll_function(1, 0, nullptr), 0u);
  const uintptr_t words[] = {0, 0, 0, 0, 0};
  EXPECT_EQ(binding::call_dll_function(2, 5, words), 0u);
  EXPECT_EQ(binding::call_dll_function(3, 0, nullptr), 0u) << "user32 may have had it";
  EXPECT_EQ(binding::call_dll_function(4, 0, nullptr), 1u) << "kernel32 is there";
}

struct LibraryRow {
  const char* declared;
  std::vector<std::string> files;
};

class LibraryFiles : public ::testing::TestWithParam<LibraryRow> {};

TEST_P(LibraryFiles, SystemNamesLeadToTheStandIns) {
  EXPECT_EQ(binding::dll_host::library_files(GetParam().declared, "/opt/p"), GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(Names, LibraryFiles,
                         ::testing::Values(LibraryRow{"",
                                                      {"/opt/p/kernel32.dll.so",
                                                       "/opt/p/user32.dll.so",
                                                       "/opt/p/advapi32.dll.so"}},
                                           LibraryRow{"wininet.dll", {"/opt/p/wininet.dll.so"}},
                                           LibraryRow{"WinINet.DLL", {"/opt/p/wininet.dll.so"}},
                                           LibraryRow{"kernel32.dll", {"/opt/p/kernel32.dll.so"}},
                                           LibraryRow{"KERNEL32", {"/opt/p/kernel32.dll.so"}},
                                           LibraryRow{"user32.dll", {"/opt/p/user32.dll.so"}},
                                           LibraryRow{"advapi32.dll", {"/opt/p/advapi32.dll.so"}},
                                           LibraryRow{"SkinH_EL.dll", {"/opt/p/SkinH_EL.dll"}},
                                           LibraryRow{"gdi32.dll", {"/opt/p/gdi32.dll"}}));

}  // namespace
