// Runs the Win32 window and desktop checks; the exit status counts failures.
// `--show-ms N` keeps the test window open N milliseconds before it closes,
// for a screenshot.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tests/window_win32/checks.h"

namespace win32_test {
void page_text_tests();
void html_link_tests();
void html_pane_tests(const std::filesystem::path& folder);
void desktop_tests(const std::filesystem::path& folder);
void window_tests(const std::filesystem::path& folder, int show_ms);
}  // namespace win32_test

int main(int argc, char** argv) {
  int show_ms = 0;
  if (argc == 3 && std::strcmp(argv[1], "--show-ms") == 0) {
    show_ms = std::atoi(argv[2]);
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder = std::filesystem::path(temp) / L"lyb_window_win32_test";
  std::filesystem::create_directories(folder);

  win32_test::page_text_tests();
  win32_test::html_link_tests();
  win32_test::html_pane_tests(folder);
  win32_test::desktop_tests(folder);
  win32_test::window_tests(folder, show_ms);
  std::filesystem::remove_all(folder);
  return win32_test::failures() == 0 ? 0 : 1;
}
