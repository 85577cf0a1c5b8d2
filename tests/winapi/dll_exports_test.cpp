// The export table the runtime calls through: names, word counts, thunks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <string>
#include <string_view>

#include "platform/winapi/advapi32/advapi32.h"
#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/exports/dll_exports.h"
#include "platform/winapi/kernel32/kernel32.h"
#include "platform/winapi/user32/user32.h"

namespace {

// The word counts are the functions' own parameter counts, fixed when the
// table is compiled; these are Windows' argument lists.
static_assert(winapi::Thunk<&GetModuleFileNameA>::words == 3);
static_assert(winapi::Thunk<&lstrcatA>::words == 2);
static_assert(winapi::Thunk<&lstrlenA>::words == 1);
static_assert(winapi::Thunk<&LoadLibraryA>::words == 1);
static_assert(winapi::Thunk<&GetProcAddress>::words == 2);
static_assert(winapi::Thunk<&FreeLibrary>::words == 1);
static_assert(winapi::Thunk<&ExitProcess>::words == 1);
static_assert(winapi::Thunk<&GetCurrentProcessId>::words == 0);
static_assert(winapi::Thunk<&GetLastError>::words == 0);
static_assert(winapi::Thunk<&SetLastError>::words == 1);
static_assert(winapi::Thunk<&RegOpenKeyExA>::words == 5);
static_assert(winapi::Thunk<&RegQueryValueExA>::words == 6);
static_assert(winapi::Thunk<&RegCloseKey>::words == 1);
static_assert(winapi::Thunk<&MessageBoxA>::words == 4);
static_assert(winapi::Thunk<&EnumWindows>::words == 2);
static_assert(winapi::Thunk<&IsWindowVisible>::words == 1);
static_assert(winapi::Thunk<&GetWindowThreadProcessId>::words == 2);
static_assert(winapi::Thunk<&GetWindowTextA>::words == 3);
static_assert(winapi::Thunk<&GetClassNameA>::words == 3);

const abi::DllExport* find_export(std::string_view name) {
  const abi::DllExportTable* table = GetDllExports();
  for (size_t i = 0; i < table->count; ++i) {
    if (name == table->entries[i].name) {
      return &table->entries[i];
    }
  }
  return nullptr;
}

TEST(DllExports, EveryFunctionOnceWithItsWordCount) {
  struct Row {
    const char* name;
    uint32_t words;
  } rows[] = {
      {"GetModuleFileNameA", 3},
      {"lstrcatA", 2},
      {"lstrlenA", 1},
      {"LoadLibraryA", 1},
      {"GetProcAddress", 2},
      {"FreeLibrary", 1},
      {"ExitProcess", 1},
      {"GetCurrentProcessId", 0},
      {"GetLastError", 0},
      {"SetLastError", 1},
      {"RegOpenKeyExA", 5},
      {"RegQueryValueExA", 6},
      {"RegCloseKey", 1},
      {"MessageBoxA", 4},
      {"EnumWindows", 2},
      {"IsWindowVisible", 1},
      {"GetWindowThreadProcessId", 2},
      {"GetWindowTextA", 3},
      {"GetClassNameA", 3},
  };
  for (const Row& row : rows) {
    const abi::DllExport* entry = find_export(row.name);
    ASSERT_NE(entry, nullptr) << row.name;
    EXPECT_EQ(entry->words, row.words) << row.name;
    EXPECT_NE(entry->thunk, nullptr) << row.name;
  }
  const abi::DllExportTable* table = GetDllExports();
  std::set<std::string> names;
  for (size_t i = 0; i < table->count; ++i) {
    EXPECT_TRUE(names.insert(table->entries[i].name).second)
        << table->entries[i].name << " is listed twice";
  }
  EXPECT_EQ(find_export("GetDllExports"), nullptr);
  EXPECT_EQ(find_export("getlasterror"), nullptr) << "names are exact";
}

TEST(DllExports, TheRuntimeFindsTheTableByItsSymbol) {
  HMODULE library = LoadLibraryA(WINAPI_LIBRARY);
  ASSERT_NE(library, nullptr);
  const auto lookup =
      reinterpret_cast<abi::GetDllExportsFn>(GetProcAddress(library, abi::kDllExportTableSymbol));
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(lookup(), GetDllExports()) << "one library, one table";
  FreeLibrary(library);
}

TEST(DllExports, ThunksPassWordsAndReturnResults) {
  const char text[] = "abcd";
  const uint64_t length_words[] = {reinterpret_cast<uintptr_t>(text)};
  EXPECT_EQ(find_export("lstrlenA")->thunk(length_words), 4u);

  EXPECT_EQ(find_export("GetCurrentProcessId")->thunk(nullptr), static_cast<uint64_t>(::getpid()));

  const uint64_t error_words[] = {0xBEEF};
  EXPECT_EQ(find_export("SetLastError")->thunk(error_words), 0u);
  EXPECT_EQ(find_export("GetLastError")->thunk(nullptr), 0xBEEFu);

  // An unknown button set shows no box and answers 0.
  const uint64_t box_words[] = {0, reinterpret_cast<uintptr_t>("t"), 0, 0xF};
  EXPECT_EQ(find_export("MessageBoxA")->thunk(box_words), 0u) << "invalid style shows no box";
}

}  // namespace
