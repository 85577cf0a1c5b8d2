// How the form's stored look (colours, fonts, frames, alignment) maps onto
// Win32 window styles, GDI fonts and brushes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "image/form/form_types.h"
#include "platform/core/window/win32/gdi_handles.h"

namespace core::window {

// A Windows colour value 0x00BBGGRR, the COLORREF layout; form::kNoColour
// has none.
inline bool has_colour(uint32_t colorref) {
  return colorref != form::kNoColour;
}

// The colours a control paints itself in, answered to WM_CTLCOLOR*. The
// brush exists when the control has a background of its own.
struct Colours {
  uint32_t text = form::kNoColour;
  uint32_t background = form::kNoColour;
  BrushOwner brush;
};
Colours make_colours(uint32_t text, uint32_t background);

// Sets up the device context for a control with these colours; returns the
// brush to paint its background with, or null to keep the system's.
HBRUSH paint_colours(HDC dc, const Colours& colours);

// The window's default control font: the system's dialog face, 12 pixels.
FontOwner make_window_font();

// The control's own font, or null when it stores none (the window's is used).
// The height is a pixel height either way: a negative one is the character
// height, a positive one the cell height.
FontOwner make_font(const form::Font& font);

// Window styles that draw the stored frame, for statics and for edit boxes.
struct FrameStyles {
  DWORD style = 0;
  DWORD ex_style = 0;
};
FrameStyles static_frame(uint32_t frame_style);
FrameStyles edit_frame(uint32_t frame_style);

// Horizontal 0 left, 1 centred, 2 right; vertical 0 top, 1 centred (a
// single line only), 2 bottom drawn as top.
DWORD label_alignment(uint32_t horizontal, uint32_t vertical, bool word_wrap);
DWORD edit_alignment(uint32_t horizontal);

// GBK text as the wide text the W functions take.
std::wstring to_wide(std::string_view gbk_text);
std::string from_wide(std::wstring_view text);

}  // namespace core::window
