// What a MessageBoxA style asks for, decoded without Qt.
#pragma once

#include <optional>
#include <span>

#include "platform/winapi/base/windows_types.h"

namespace winapi::user32 {

enum class BoxIcon { None, Error, Question, Warning, Information };

struct BoxStyle {
  // Answer codes (IDOK ...), one per button, in Windows' order.
  std::span<const int> answers;
  int default_answer;
  // What Esc and the close button answer; a box without Cancel (or a lone
  // OK) ignores both, as on Windows.
  std::optional<int> escape_answer;
  BoxIcon icon;
  bool topmost;
};

// Null for a button set Windows does not know (it then shows no box).
std::optional<BoxStyle> decode_box_style(UINT style);

}  // namespace winapi::user32
