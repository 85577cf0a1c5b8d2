// The window's keys the system's dialog navigation does not give it: Enter
// in an edit box clicks the button the focus plan pairs it with, Enter on a
// focused button clicks it, and F1 chooses the help menu item. Tab, Space on
// a button, F10 and Alt keep the system's handling.
#pragma once

#include <windows.h>

#include <cstdint>
#include <unordered_map>

namespace core::window {

struct Control;

class Keyboard {
 public:
  // The button Enter in `edit_box` clicks.
  void add_enter_click(HWND edit_box, const Control& button);
  // The menu item F1 chooses; 0 for none.
  void set_help_item(uint32_t element_id) { help_item_ = element_id; }
  // A button Enter clicks while it has the focus.
  void add_button(const Control& button);

  // Handles a key message for a window inside `window` and tells whether it
  // did; the caller then neither translates nor dispatches it.
  bool handle(HWND window, const MSG& message) const;

 private:
  bool enter(HWND focus, bool repeated) const;

  std::unordered_map<HWND, const Control*> enter_clicks_;  // by edit box
  std::unordered_map<HWND, const Control*> buttons_;
  uint32_t help_item_ = 0;
};

}  // namespace core::window
