// What the Win32 backend keeps of each control, and the pieces that differ
// from the system's controls: containers that pass their children's
// notifications on to the window, and bitmaps made from BMP file bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "platform/core/window/win32/gdi_handles.h"
#include "platform/core/window/win32/look.h"

namespace core::window {

class TabControl;
class HtmlView;

// One control of the window. Its address is the logic's handle for it; a
// timer has no window, only its timer id.
struct Control {
  uint32_t id = 0;
  uint32_t kind = 0;
  HWND hwnd = nullptr;
  UINT_PTR timer_id = 0;
  Colours colours;
  FontOwner font;       // its own font; null when it uses the window's
  BitmapOwner picture;  // a picture box's bitmap
  std::unique_ptr<TabControl> tab;
  std::unique_ptr<HtmlView> html;

  Control();
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
};

// A control's window is a child of the window's client area, a group box or
// a tab page. Notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) go to a
// child's parent; containers pass them on to the top-level window, which
// handles them all in one place.
bool is_forwarded(UINT message);
LRESULT forward_to_window(HWND container, UINT message, WPARAM wparam, LPARAM lparam);

// Makes a group box a container that forwards and fills its inside with
// `background` (the system's dialog colour when null); the brush must outlive
// the group box.
void make_container(HWND group_box, HBRUSH background);

// The window class of a tab page: a plain container that forwards and paints
// its background in the system's dialog colour.
const wchar_t* page_class();
void register_page_class(HINSTANCE instance);

// Paints a picture box (owner-drawn, WM_DRAWITEM): its background, then its
// bitmap unscaled from the top left corner, cut off at the box's edges.
void paint_picture(const Control& box, HDC dc, const RECT& area);

// The first image of an ICO file as an icon; null for bytes that are no icon.
IconOwner icon_from_ico(std::span<const uint8_t> ico_file);

// A device-dependent bitmap of a BMP file (file header, info header, colour
// table, pixels); null for bytes that are no BMP or claim more than they hold.
BitmapOwner bitmap_from_bmp(std::span<const uint8_t> bmp_file);

}  // namespace core::window
