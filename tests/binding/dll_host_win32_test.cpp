#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/binding/dll_host.h"

namespace {

namespace host = binding::dll_host;

// The test DLL lies beside this program, where the system's search looks first.
constexpr const char* kProbe = "stdcall_probe.dll";

struct LibraryRow {
  const char* declared;
  std::vector<std::string> files;
};

class LibraryFiles : public ::testing::TestWithParam<LibraryRow> {};

TEST_P(LibraryFiles, NamesGoToTheSystemsSearch) {
  EXPECT_EQ(host::library_files(GetParam().declared, "C:\\p"), GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LibraryFiles,
    ::testing::Values(LibraryRow{"", {"kernel32.dll", "user32.dll", "advapi32.dll"}},
                      LibraryRow{"wininet.dll", {"wininet.dll"}},
                      LibraryRow{"KERNEL32", {"KERNEL32"}},
                      LibraryRow{"SkinH_EL.dll", {"SkinH_EL.dll"}}));

TEST(OpenLibrary, AMissingLibraryIsNull) {
  EXPECT_EQ(host::open_library("no_such_library_here.dll"), nullptr);
}

struct CallRow {
  const char* function;
  std::vector<uintptr_t> words;
  uintptr_t value;  // what the function returns given these words
  uint32_t own_words;
};

class StdcallCall : public ::testing::TestWithParam<CallRow> {};

TEST_P(StdcallCall, TheStackPointerTellsTheWordsTheFunctionTook) {
  const CallRow& row = GetParam();
  const host::LibraryHandle probe = host::open_library(kProbe);
  ASSERT_NE(probe, nullptr);
  const host::Function* function = host::find(*probe, row.function);
  ASSERT_NE(function, nullptr) << row.function;
  const host::CallResult result = host::call(*function, row.words);
  EXPECT_EQ(result.own_words, row.own_words);
  EXPECT_EQ(result.value, row.value);
}

// With more words than the function takes, it has run on the first ones; the
// leftover words show as the difference.
INSTANTIATE_TEST_SUITE_P(Probe, StdcallCall,
                         ::testing::Values(CallRow{"AddTwo", {40, 2}, 42, 2},
                                           CallRow{"AddTwo", {40, 2, 9}, 42, 2},
                                           CallRow{"Seven", {}, 7, 0}, CallRow{"Seven", {1}, 7, 0},
                                           CallRow{"Place", {1, 2, 3}, 123, 3},
                                           CallRow{"Place", {3, 2, 1, 5, 5}, 321, 3}));

TEST(StdcallCall, AFunctionThatTakesMoreWordsThanGivenIsCaught) {
  const host::LibraryHandle probe = host::open_library(kProbe);
  ASSERT_NE(probe, nullptr);
  const host::Function* add = host::find(*probe, "AddTwo");
  ASSERT_NE(add, nullptr);
  const uintptr_t one[] = {5};
  EXPECT_EQ(host::call(*add, one).own_words, 2u);
}

TEST(Find, OnlyExportedNamesAreFoundAndEachOnce) {
  const host::LibraryHandle probe = host::open_library(kProbe);
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(host::find(*probe, "AddTwo@8"), nullptr) << "exports carry plain names";
  EXPECT_EQ(host::find(*probe, "NoSuchFunction"), nullptr);
  EXPECT_EQ(host::find(*probe, "Seven"), host::find(*probe, "Seven"));
}

TEST(SystemDlls, TheEmptyNameFindsEachFunctionInItsDll) {
  // MessageBoxA is not in kernel32, so the search goes on to user32.
  std::vector<host::LibraryHandle> system;
  const host::Function* found = nullptr;
  size_t where = 0;
  for (const std::string& file : host::library_files("", "")) {
    system.push_back(host::open_library(file));
    ASSERT_NE(system.back(), nullptr) << file;
    if (found == nullptr && (found = host::find(*system.back(), "MessageBoxA")) != nullptr) {
      where = system.size() - 1;
    }
  }
  EXPECT_NE(found, nullptr);
  EXPECT_EQ(where, 1u) << "user32";

  const host::Function* length = host::find(*system[0], "lstrlenA");
  ASSERT_NE(length, nullptr);
  const char text[] = "eleven char";
  const uintptr_t words[] = {reinterpret_cast<uintptr_t>(text)};
  const host::CallResult result = host::call(*length, words);
  EXPECT_EQ(result.value, 11u);
  EXPECT_EQ(result.own_words, 1u);
}

}  // namespace

extern "C" __declspec(dllexport) void lyb_exported_routine() {}

namespace {

TEST(ProgramRoutines, AreFoundByTheirExportedName) {
  EXPECT_EQ(host::find_program_routine("lyb_exported_routine"),
            reinterpret_cast<void*>(&lyb_exported_routine));
  EXPECT_EQ(host::find_program_routine("lyb_no_such_routine"), nullptr);
}

}  // namespace
