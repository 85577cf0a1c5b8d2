#include "platform/core/window/win32/keyboard.h"

#include "platform/core/window/backend.h"
#include "platform/core/window/win32/controls.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

// A click the keyboard makes: only on a button the user could click.
void click(const Control& button) {
  if (IsWindowEnabled(button.hwnd) && IsWindowVisible(button.hwnd)) {
    deliver(button.id, abi::event::Clicked);
  }
}

}  // namespace

void Keyboard::add_enter_click(HWND edit_box, const Control& button) {
  enter_clicks_[edit_box] = &button;
}

void Keyboard::add_button(const Control& button) {
  buttons_[button.hwnd] = &button;
}

// A held key clicks once; its repeats are taken and do nothing.
bool Keyboard::enter(HWND focus, bool repeated) const {
  const Control* button = nullptr;
  if (const auto it = enter_clicks_.find(focus); it != enter_clicks_.end()) {
    button = it->second;
  } else if (const auto own = buttons_.find(focus); own != buttons_.end()) {
    button = own->second;
  }
  if (button != nullptr && !repeated) {
    click(*button);
  }
  return button != nullptr;
}

bool Keyboard::handle(HWND window, const MSG& message) const {
  if (message.message != WM_KEYDOWN || (message.hwnd != window && !IsChild(window, message.hwnd))) {
    return false;
  }
  const bool repeated = (message.lParam & (1 << 30)) != 0;
  switch (message.wParam) {
    case VK_RETURN:
      return enter(message.hwnd, repeated);
    case VK_F1:
      if (help_item_ != 0 && !repeated) {
        deliver(help_item_, abi::event::Clicked);
      }
      return help_item_ != 0;
    default:
      return false;
  }
}

}  // namespace core::window
