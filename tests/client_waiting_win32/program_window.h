// The program's real window on the Win32 backend with its own handlers, the
// runtime's real services and the declared functions in the system's DLLs
// (the real wininet.dll); requests to the build-time service address go to a
// loopback server of the test. Message boxes are answered as they open, each
// kept with the moment it was shown.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/program/program_fixture.h"

namespace client_test {

struct ShownBox {
  std::string text;              // UTF-8
  std::chrono::milliseconds at;  // since the fixture began
};

class ProgramWindow : public program_test::ProgramFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sends the program's requests for 127.0.0.1:8600 to this loopback port,
  // which must have four digits.
  void route_service_to(int port);

  HWND window() const;
  HWND control(uint32_t id) const;
  // An edit box's content or a label's caption, as UTF-8.
  std::string text_of(uint32_t id) const;
  void type_into(uint32_t id, const char* utf8_text);
  // A click as the user makes it; returns when the handler has.
  void click(uint32_t id);
  void choose_menu_item(const wchar_t* caption);
  // Runs `probe` on the window's thread `after` from now, inside whatever
  // waits then.
  static void during(std::chrono::milliseconds after, std::function<void()> probe);
  // The cursor the window shows over this control now.
  bool busy_cursor_over(uint32_t id) const;

  std::vector<std::string> box_texts() const;
  std::chrono::steady_clock::time_point started() const { return start_; }
  std::vector<ShownBox> boxes;

 private:
  static void CALLBACK answer_boxes(HWND, UINT, UINT_PTR, DWORD);

  std::vector<uint8_t> constants_;  // the program's texts with the service port changed
  UINT_PTR box_answerer_ = 0;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace client_test
