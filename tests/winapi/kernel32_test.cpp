// kernel32 stand-ins: the program file's name, module loading, strings and
// the last error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/winapi/kernel32/kernel32.h"
#include "tests/winapi/temp_dir.h"

namespace {

std::string program_file() {
  return std::filesystem::read_symlink("/proc/self/exe").string();
}

TEST(Kernel32, ModuleFileNameOfTheProgram) {
  const std::string path = program_file();
  const DWORD length = static_cast<DWORD>(path.size());
  struct Row {
    DWORD size;
    DWORD result;
    std::string text;
    DWORD error;
  } rows[] = {
      {length + 10, length, path, ERROR_SUCCESS},
      {length + 1, length, path, ERROR_SUCCESS},
      {length, length, path.substr(0, length - 1), ERROR_INSUFFICIENT_BUFFER},
      {5, 5, path.substr(0, 4), ERROR_INSUFFICIENT_BUFFER},
      {1, 1, "", ERROR_INSUFFICIENT_BUFFER},
  };
  for (const Row& row : rows) {
    std::vector<char> buffer(row.size + 4, '#');
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer.data(), row.size), row.result) << row.size;
    EXPECT_EQ(std::string(buffer.data()), row.text) << row.size;
    EXPECT_EQ(GetLastError(), row.error) << row.size;
    EXPECT_EQ(buffer[row.size], '#') << "wrote past the buffer of " << row.size;
  }
  char untouched = '#';
  EXPECT_EQ(GetModuleFileNameA(nullptr, &untouched, 0), 0u);
  EXPECT_EQ(untouched, '#');
}

TEST(Kernel32, AnsiStringHelpers) {
  char buffer[16] = "ab";
  EXPECT_EQ(lstrcatA(buffer, "cd"), buffer);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(lstrlenA(buffer), 4);
  EXPECT_EQ(lstrlenA("\xD3\xD1"), 2);  // bytes, not characters
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrcatA(nullptr, "x"), nullptr);
  EXPECT_EQ(lstrcatA(buffer, nullptr), nullptr);
  EXPECT_STREQ(buffer, "abcd");
}

TEST(Kernel32, ProcessIdAndLastError) {
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(::getpid()));
  SetLastError(1234);
  EXPECT_EQ(GetLastError(), 1234u);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), 0u);
}

using AnswerFn = int (*)();

TEST(Kernel32, LoadsLibrariesByWindowsPath) {
  // The same file named with backslashes, as a Windows program would.
  std::string windows_path = WINAPI_TEST_MODULE;
  std::replace(windows_path.begin(), windows_path.end(), '/', '\\');
  HMODULE module = LoadLibraryA(windows_path.c_str());
  ASSERT_NE(module, nullptr) << windows_path;
  const auto answer = reinterpret_cast<AnswerFn>(GetProcAddress(module, "test_module_answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);

  std::array<char, 4096> name{};
  const DWORD length = GetModuleFileNameA(module, name.data(), name.size());
  EXPECT_GT(length, 0u);
  EXPECT_EQ(std::filesystem::path(name.data()), std::filesystem::path(WINAPI_TEST_MODULE));

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetProcAddress(module, "no_such_function"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(module, reinterpret_cast<LPCSTR>(uintptr_t{7})), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(FreeLibrary(module), 1);
}

TEST(Kernel32, CountsLoadsAndRefusesStaleHandles) {
  HMODULE first = LoadLibraryA(WINAPI_TEST_MODULE);
  HMODULE second = LoadLibraryA(WINAPI_TEST_MODULE);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(FreeLibrary(first), 1);
  EXPECT_NE(GetProcAddress(first, "test_module_answer"), nullptr) << "still loaded once";
  EXPECT_EQ(FreeLibrary(first), 1);

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetProcAddress(first, "test_module_answer"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(FreeLibrary(first), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  char name[64];
  EXPECT_EQ(GetModuleFileNameA(first, name, sizeof(name)), 0u);
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(0x1000), "x"), nullptr);
  EXPECT_EQ(FreeLibrary(nullptr), 0);
}

TEST(Kernel32, LoadFailuresSayWhy) {
  winapi_test::TempDir dir;
  const auto not_a_library = dir.write("krnln.fnr", "not an ELF file");
  struct Row {
    std::string path;
    DWORD error;
  } rows[] = {
      {(dir.path() / "absent.so").string(), ERROR_MOD_NOT_FOUND},
      {not_a_library.string(), ERROR_BAD_EXE_FORMAT},
      {"", ERROR_INVALID_PARAMETER},
  };
  for (const Row& row : rows) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryA(row.path.c_str()), nullptr) << row.path;
    EXPECT_EQ(GetLastError(), row.error) << row.path;
  }
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
}

}  // namespace
