// Each stand-in library opened on its own, as the runtime opens it: it exports
// exactly its Windows DLL's functions with their argument-word counts, brings
// along only what it needs, and its thunks pass words and return results.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/winapi/base/dll_export_table.h"

namespace {

struct LibraryRow {
  const char* dll;
  const char* file;
  // Windows' argument lists: one word per parameter.
  std::map<std::string, uint32_t> exports;
  // Loaded files whose name holds one of these must not come with it.
  std::vector<const char*> never_brought;
};

void PrintTo(const LibraryRow& row, std::ostream* out) {
  *out << row.dll;
}

const LibraryRow kLibraries[] = {
    {"kernel32",
     KERNEL32_LIBRARY,
     {{"GetModuleFileNameA", 3},
      {"lstrcatA", 2},
      {"lstrlenA", 1},
      {"LoadLibraryA", 1},
      {"GetProcAddress", 2},
      {"FreeLibrary", 1},
      {"ExitProcess", 1},
      {"GetCurrentProcessId", 0},
      {"GetLastError", 0},
      {"SetLastError", 1},
      {"MultiByteToWideChar", 6},
      {"WideCharToMultiByte", 8},
      {"LCMapStringA", 6}},
     {"libQt6", "libcurl", "user32.dll.so", "advapi32.dll.so", "wininet.dll.so"}},
    {"user32",
     USER32_LIBRARY,
     {{"MessageBoxA", 4},
      {"EnumWindows", 2},
      {"IsWindowVisible", 1},
      {"GetWindowThreadProcessId", 2},
      {"GetWindowTextA", 3},
      {"GetClassNameA", 3}},
     {"libcurl", "advapi32.dll.so", "wininet.dll.so"}},
    {"advapi32",
     ADVAPI32_LIBRARY,
     {{"RegOpenKeyExA", 5}, {"RegQueryValueExA", 6}, {"RegCloseKey", 1}},
     {"libQt6", "libcurl", "user32.dll.so", "wininet.dll.so"}},
    {"wininet",
     WININET_LIBRARY,
     {{"InternetOpenA", 5},
      {"InternetConnectA", 8},
      {"HttpOpenRequestA", 8},
      {"HttpSendRequestA", 5},
      {"InternetReadFile", 4},
      {"HttpQueryInfoA", 5},
      {"InternetCloseHandle", 1},
      {"InternetSetCookieA", 3}},
     {"libQt6", "user32.dll.so", "advapi32.dll.so"}},
};

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

// Kept loaded until the process ends: user32 brings Qt, which must not be
// unloaded under its own exit handlers.
LibraryHandle open(const char* file) {
  return LibraryHandle(dlopen(file, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
}

const winapi::DllExportTable* table_of(void* library) {
  const auto get =
      reinterpret_cast<winapi::GetDllExportsFn>(dlsym(library, winapi::kDllExportTableSymbol));
  return get != nullptr ? get() : nullptr;
}

const winapi::DllExport* find(const winapi::DllExportTable& table, std::string_view name) {
  for (size_t i = 0; i < table.count; ++i) {
    if (name == table.entries[i].name) {
      return &table.entries[i];
    }
  }
  return nullptr;
}

// In a fresh process: opens the one library, and ends with status 0 when none
// of the files it must not bring is loaded, else 1 naming the first.
[[noreturn]] void open_alone(const LibraryRow& row) {
  if (!open(row.file)) {
    std::fprintf(stderr, "%s does not load: %s\n", row.dll, dlerror());
    _exit(2);
  }
  struct Search {
    const LibraryRow* row;
    std::string found;
  } search{&row, {}};
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        auto* s = static_cast<Search*>(data);
        const std::string_view name = info->dlpi_name;
        for (const char* unwanted : s->row->never_brought) {
          if (name.find(unwanted) != std::string_view::npos) {
            s->found = name;
            return 1;
          }
        }
        return 0;
      },
      &search);
  if (!search.found.empty()) {
    std::fprintf(stderr, "%s brought %s\n", row.dll, search.found.c_str());
    _exit(1);
  }
  _exit(0);
}

class StandInLibrary : public ::testing::TestWithParam<LibraryRow> {};

TEST_P(StandInLibrary, ExportsExactlyItsFunctionsWithTheirWordCounts) {
  const LibraryHandle library = open(GetParam().file);
  ASSERT_TRUE(library) << dlerror();
  const winapi::DllExportTable* table = table_of(library.get());
  ASSERT_NE(table, nullptr) << "no " << winapi::kDllExportTableSymbol;
  std::map<std::string, uint32_t> exported;
  for (size_t i = 0; i < table->count; ++i) {
    const winapi::DllExport& row = table->entries[i];
    EXPECT_NE(row.thunk, nullptr) << row.name;
    EXPECT_TRUE(exported.emplace(row.name, row.words).second) << row.name << " is listed twice";
  }
  EXPECT_EQ(exported, GetParam().exports);
}

TEST_P(StandInLibrary, LoadsAloneWithOnlyWhatItNeeds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, not a fork of this one
  EXPECT_EXIT(open_alone(GetParam()), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Dlls, StandInLibrary, ::testing::ValuesIn(kLibraries),
                         [](const auto& info) { return std::string(info.param.dll); });

TEST(StandInThunks, PassWordsAndReturnResults) {
  const LibraryHandle kernel32 = open(KERNEL32_LIBRARY);
  const LibraryHandle user32 = open(USER32_LIBRARY);
  ASSERT_TRUE(kernel32 && user32) << dlerror();
  const winapi::DllExportTable& k = *table_of(kernel32.get());
  const winapi::DllExportTable& u = *table_of(user32.get());

  const char text[] = "abcd";
  const uintptr_t length_words[] = {reinterpret_cast<uintptr_t>(text)};
  EXPECT_EQ(find(k, "lstrlenA")->thunk(length_words), 4u);

  EXPECT_EQ(find(k, "GetCurrentProcessId")->thunk(nullptr), static_cast<uintptr_t>(::getpid()));

  const uintptr_t error_words[] = {0xBEEF};
  EXPECT_EQ(find(k, "SetLastError")->thunk(error_words), 0u);
  EXPECT_EQ(find(k, "GetLastError")->thunk(nullptr), 0xBEEFu);

  // An unknown button set shows no box, answers 0 and says why through
  // kernel32's last error: the thread has one, whichever library set it.
  const uintptr_t box_words[] = {0, reinterpret_cast<uintptr_t>("t"), 0, 0xF};
  EXPECT_EQ(find(u, "MessageBoxA")->thunk(box_words), 0u) << "invalid style shows no box";
  EXPECT_EQ(find(k, "GetLastError")->thunk(nullptr), 1158u) << "ERROR_INVALID_MSGBOX_STYLE";
}

}  // namespace
