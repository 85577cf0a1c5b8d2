// MessageBoxA where no box can be shown: "[title] text" on stderr and the
// style's default answer. No QApplication exists in this program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "platform/winapi/user32/user32.h"
#include "tests/winapi/temp_dir.h"

namespace {

// Runs `call` with stderr sent to a file and returns what was written.
template <typename Call>
std::string captured_stderr(Call call) {
  winapi_test::TempDir dir;
  const auto file = dir.path() / "stderr";
  std::fflush(stderr);
  const int saved = ::dup(2);
  std::FILE* sink = std::fopen(file.c_str(), "w");
  ::dup2(::fileno(sink), 2);
  call();
  std::fflush(stderr);
  ::dup2(saved, 2);
  ::close(saved);
  std::fclose(sink);
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct DefaultRow {
  const char* label;
  UINT style;
  int answer;
};

void PrintTo(const DefaultRow& row, std::ostream* out) {
  *out << row.label;
}

class MessageBoxStderr : public testing::TestWithParam<DefaultRow> {};

TEST_P(MessageBoxStderr, AnswersTheDefaultButton) {
  ::setenv("WINAPI_MSGBOX", "stderr", 1);
  int answer = -1;
  const std::string printed =
      captured_stderr([&] { answer = MessageBoxA(nullptr, "text", "title", GetParam().style); });
  EXPECT_EQ(answer, GetParam().answer);
  EXPECT_EQ(printed, "[title] text\n");
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageBoxStderr,
    testing::Values(DefaultRow{"ok", MB_OK, IDOK},
                    DefaultRow{"ok_error_icon", MB_OK | MB_ICONERROR, IDOK},
                    DefaultRow{"okcancel", MB_OKCANCEL, IDOK},
                    DefaultRow{"okcancel_second", MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                    DefaultRow{"abortretryignore", MB_ABORTRETRYIGNORE, IDABORT},
                    DefaultRow{"abortretryignore_third", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3,
                               IDIGNORE},
                    DefaultRow{"yesnocancel_third", MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                    DefaultRow{"yesno_second", MB_YESNO | MB_DEFBUTTON2, IDNO},
                    DefaultRow{"yesno_past_last_falls_back", MB_YESNO | MB_DEFBUTTON3, IDYES},
                    DefaultRow{"fourth_of_one", MB_OK | 0x300, IDOK},
                    DefaultRow{"retrycancel", MB_RETRYCANCEL, IDRETRY},
                    DefaultRow{"canceltrycontinue", MB_CANCELTRYCONTINUE, IDCANCEL}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MessageBoxStderrText, ConvertsGbkToUtf8) {
  ::setenv("WINAPI_MSGBOX", "stderr", 1);
  const std::string printed = captured_stderr([] {
    MessageBoxA(nullptr, "\xC4\xE3\xBA\xC3", "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1", MB_OK);
    MessageBoxA(nullptr, nullptr, nullptr, MB_OK);
  });
  EXPECT_EQ(printed, "[友情提醒] 你好\n[Error] \n");
}

TEST(MessageBoxStderrText, InvalidStylePrintsNothing) {
  ::setenv("WINAPI_MSGBOX", "stderr", 1);
  int answer = -1;
  EXPECT_EQ(captured_stderr([&] { answer = MessageBoxA(nullptr, "t", "c", 0xF); }), "");
  EXPECT_EQ(answer, 0);
}

TEST(WithoutApplication, NoWindowsToEnumerate) {
  int calls = 0;
  EXPECT_EQ(EnumWindows(
                [](HWND, LPARAM count) {
                  ++*reinterpret_cast<int*>(count);
                  return BOOL{1};
                },
                reinterpret_cast<LPARAM>(&calls)),
            1);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(IsWindowVisible(reinterpret_cast<HWND>(0x10010)), 0);
}

// Without WINAPI_MSGBOX the display decides. Every row here has none, so a
// wrong rule would try to open a display and abort the test program.
struct DisplayRow {
  const char* label;
  const char* platform;
  const char* display;
  const char* wayland;
};

void PrintTo(const DisplayRow& row, std::ostream* out) {
  *out << row.label;
}

class MessageBoxWithoutDisplay : public testing::TestWithParam<DisplayRow> {};

void set_or_unset(const char* name, const char* value) {
  if (value != nullptr) {
    ::setenv(name, value, 1);
  } else {
    ::unsetenv(name);
  }
}

TEST_P(MessageBoxWithoutDisplay, Prints) {
  ::unsetenv("WINAPI_MSGBOX");
  set_or_unset("QT_QPA_PLATFORM", GetParam().platform);
  set_or_unset("DISPLAY", GetParam().display);
  set_or_unset("WAYLAND_DISPLAY", GetParam().wayland);
  int answer = -1;
  EXPECT_EQ(captured_stderr([&] { answer = MessageBoxA(nullptr, "x", "y", MB_YESNO); }), "[y] x\n");
  EXPECT_EQ(answer, IDYES);
  EXPECT_EQ(QCoreApplication::instance(), nullptr) << "no application was made";
}

INSTANTIATE_TEST_SUITE_P(
    Environments, MessageBoxWithoutDisplay,
    testing::Values(DisplayRow{"nothing_set", nullptr, nullptr, nullptr},
                    DisplayRow{"empty_values", "", "", ""},
                    DisplayRow{"xcb_without_display", "xcb", nullptr, ":0"},
                    DisplayRow{"wayland_without_socket", "wayland", ":0", nullptr},
                    DisplayRow{"fallback_list_none_usable", "wayland;xcb", nullptr, nullptr},
                    DisplayRow{"options_ignored", "xcb:foo=1", nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
