// The program file run in its own process under the same wineserver, driven
// from outside as a user would: controls found by their name in the form
// tables and their place in the window, text set into edit boxes, buttons
// clicked, edit boxes given the focus by a click, menu commands chosen, and
// the message boxes it opens read and answered.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "image/form/form_types.h"

namespace wine_journey {

// A process handle and its first thread's, closed on destruction.
struct ProcessOwner {
  PROCESS_INFORMATION info{};
  ProcessOwner() = default;
  ProcessOwner(const ProcessOwner&) = delete;
  ProcessOwner& operator=(const ProcessOwner&) = delete;
  ~ProcessOwner();
};

class ProgramWindow {
 public:
  // Starts `exe` in its own folder and waits for its main window; empty
  // window() when it did not show one within the time.
  explicit ProgramWindow(const std::wstring& exe);
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;
  ~ProgramWindow();

  HWND window() const { return window_; }
  // The child window of the named control (UTF-8 name), or nullptr.
  HWND control(const char* utf8_name) const;

  std::string text_of(const char* utf8_name) const;
  void type_into(const char* utf8_name, const char* utf8_text);
  void click(const char* utf8_name);
  // A click into an edit box: it takes the focus and its got-focus handler runs.
  void focus(const char* utf8_name);
  // Chooses the menu command with this caption; false when there is none.
  bool choose_menu_item(const char* utf8_caption);

  // The text of the next message box the program opens within `seconds`,
  // answered with OK; nullopt when none opened.
  std::optional<std::string> next_message(int seconds);
  // Waits until the control shows `utf8_text` or `seconds` pass; true when it does.
  bool wait_for_text(const char* utf8_name, const std::string& utf8_text, int seconds) const;
  // Waits until the control's text holds `utf8_part`.
  bool wait_for_text_holding(const char* utf8_name, const std::string& utf8_part,
                             int seconds) const;

  // The window as it is on the screen, written as a 24-bit BMP; false on failure.
  bool save_picture(const std::wstring& path) const;
  // Closes the window and returns the program's exit status (-1 after a kill).
  int close();

 private:
  HWND find_window(int seconds) const;
  HWND message_box() const;

  form::Form form_;
  ProcessOwner process_;
  HWND window_ = nullptr;
};

std::wstring to_wide(const std::string& utf8);
std::string to_utf8(const std::wstring& wide);

}  // namespace wine_journey
