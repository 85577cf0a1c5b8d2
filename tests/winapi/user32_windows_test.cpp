// The process's own top-level windows as user32 reports them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialog>
#include <QMainWindow>
#include <QWidget>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/winapi/base/windows_types.h"
#include "platform/winapi/kernel32/kernel32.h"
#include "platform/winapi/user32/user32.h"
#include "tests/support/qt_app.h"

namespace {

const auto* const kQt = testing::AddGlobalTestEnvironment(new test_support::QtEnvironment);

std::vector<HWND> all_windows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return BOOL{1};
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string title_of(HWND window) {
  char buffer[256];
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

std::vector<std::string> titles() {
  std::vector<std::string> result;
  for (HWND window : all_windows()) {
    result.push_back(title_of(window));
  }
  return result;
}

HWND handle_titled(const std::string& title) {
  for (HWND window : all_windows()) {
    if (title_of(window) == title) {
      return window;
    }
  }
  return nullptr;
}

std::unique_ptr<QWidget> top_level(const char* title) {
  auto widget = std::make_unique<QWidget>();
  widget->setWindowTitle(title);
  return widget;
}

TEST(User32Windows, CreationOrderHiddenOnesIncluded) {
  // Enough windows that a hash or address order cannot pass by chance.
  const std::vector<std::string> names = {"w1", "w2", "w3", "w4", "w5", "w6", "w7", "w8"};
  std::vector<std::unique_ptr<QWidget>> windows;
  for (const std::string& name : names) {
    windows.push_back(top_level(name.c_str()));
  }
  QWidget child(windows[0].get());  // not a top-level window
  child.setWindowTitle("child");
  // Showing in another order changes nothing; every other one stays hidden.
  for (size_t i = names.size(); i-- > 0;) {
    if (i % 2 == 0) {
      windows[i]->show();
    }
  }
  EXPECT_EQ(titles(), names);
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(IsWindowVisible(handle_titled(names[i])), i % 2 == 0 ? 1 : 0) << names[i];
  }
  windows[0]->hide();
  EXPECT_EQ(IsWindowVisible(handle_titled("w1")), 0);
  EXPECT_EQ(IsWindowVisible(nullptr), 0);
}

TEST(User32Windows, HandlesOfDestroyedWindowsStayInvalid) {
  auto doomed = top_level("doomed");
  doomed->show();
  const HWND old = handle_titled("doomed");
  ASSERT_NE(old, nullptr);
  doomed.reset();
  EXPECT_EQ(IsWindowVisible(old), 0);
  char buffer[8] = "x";
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetWindowTextA(old, buffer, sizeof(buffer)), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  DWORD pid = 0;
  EXPECT_EQ(GetWindowThreadProcessId(old, &pid), 0u);
  EXPECT_EQ(pid, 0u);
  // A new window, perhaps at the same address, gets a new handle.
  auto reborn = top_level("reborn");
  EXPECT_NE(handle_titled("reborn"), old);
  EXPECT_EQ(titles(), std::vector<std::string>{"reborn"});
}

TEST(User32Windows, EnumerationStopsWhenTheCallbackSaysSo) {
  auto a = top_level("a");
  auto b = top_level("b");
  int calls = 0;
  EXPECT_EQ(EnumWindows(
                [](HWND, LPARAM count) {
                  ++*reinterpret_cast<int*>(count);
                  return BOOL{0};
                },
                reinterpret_cast<LPARAM>(&calls)),
            0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(EnumWindows(nullptr, 0), 0);
}

TEST(User32Windows, ProcessAndThread) {
  auto window = top_level("owner");
  DWORD pid = 0;
  EXPECT_EQ(GetWindowThreadProcessId(handle_titled("owner"), &pid), static_cast<DWORD>(::gettid()));
  EXPECT_EQ(pid, GetCurrentProcessId());
  EXPECT_EQ(GetWindowThreadProcessId(handle_titled("owner"), nullptr),
            static_cast<DWORD>(::gettid()));
}

struct TextRow {
  const char* label;
  const char* title_utf8;
  int capacity;
  std::string expected;  // GBK bytes
  int result;
};

void PrintTo(const TextRow& row, std::ostream* out) {
  *out << row.label;
}

class User32WindowText : public testing::TestWithParam<TextRow> {};

TEST_P(User32WindowText, TruncatesToTheBufferInGbk) {
  const TextRow& row = GetParam();
  QWidget window;
  window.setWindowTitle(QString::fromUtf8(row.title_utf8));
  std::vector<HWND> windows = all_windows();
  ASSERT_EQ(windows.size(), 1u);
  std::string buffer(static_cast<size_t>(row.capacity) + 2, '#');
  EXPECT_EQ(GetWindowTextA(windows[0], buffer.data(), row.capacity), row.result);
  EXPECT_EQ(std::string(buffer.c_str()), row.expected);
  EXPECT_EQ(buffer[static_cast<size_t>(row.capacity)], '#') << "wrote past the buffer";
}

INSTANTIATE_TEST_SUITE_P(
    Titles, User32WindowText,
    testing::Values(TextRow{"fits", "abc", 10, "abc", 3}, TextRow{"exact", "abc", 4, "abc", 3},
                    TextRow{"cut", "abc", 3, "ab", 2},
                    TextRow{"room_for_zero_only", "abc", 1, "", 0},
                    TextRow{"gbk", "友情提醒", 9, "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1", 8},
                    TextRow{"no_half_character", "友情", 4, "\xD3\xD1", 2},
                    TextRow{"mixed", "a友", 3, "a", 1}, TextRow{"not_in_gbk", "a😀", 10, "a?", 2},
                    TextRow{"empty", "", 5, "", 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(User32Windows, TextRefusesUnusableBuffers) {
  auto window = top_level("title");
  const HWND handle = handle_titled("title");
  char buffer[4] = "xyz";
  EXPECT_EQ(GetWindowTextA(handle, buffer, 0), 0);
  EXPECT_EQ(GetWindowTextA(handle, buffer, -5), 0);
  EXPECT_STREQ(buffer, "xyz");
  EXPECT_EQ(GetWindowTextA(handle, nullptr, 10), 0);
}

TEST(User32Windows, ClassNamesTellWindowKindsApart) {
  QMainWindow main_window;
  main_window.setWindowTitle("main");
  QDialog dialog;
  dialog.setWindowTitle("dialog");
  char name[50];
  EXPECT_EQ(GetClassNameA(handle_titled("main"), name, sizeof(name)), 11);
  EXPECT_STREQ(name, "QMainWindow");
  EXPECT_EQ(GetClassNameA(handle_titled("dialog"), name, sizeof(name)), 7);
  EXPECT_STREQ(name, "QDialog");
  EXPECT_EQ(GetClassNameA(handle_titled("main"), name, 4), 3);
  EXPECT_STREQ(name, "QMa");
  EXPECT_EQ(GetClassNameA(reinterpret_cast<HWND>(0x4), name, sizeof(name)), 0);
  EXPECT_STREQ(name, "");
}

}  // namespace
