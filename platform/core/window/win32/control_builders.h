// One creation function per control kind, chosen through a table by kind
// code. Each makes the control's window at its stored place, applies the
// stored look and state, and returns what the backend keeps of it; the
// backend routes the control's notifications to the window logic.
#pragma once

#include <windows.h>

#include <memory>

#include "image/form/form_types.h"
#include "platform/core/window/win32/controls.h"

namespace core::window {

struct BuildContext {
  uint32_t id;
  const form::ControlRecord& record;
  HWND parent;   // the window, a group box or a tab page
  POINT origin;  // where the parent lies in the container the stored position is relative to
  HFONT window_font;
};

// The new control; null when its window could not be made.
using BuildFn = std::unique_ptr<Control> (*)(const BuildContext&);

// Null for the window and for kinds no builder knows.
BuildFn builder_for(uint32_t kind_code);

// Shows a BMP file in a picture box (painted by paint_picture); bytes that
// are no picture show nothing.
void show_picture(Control& picture_box, std::span<const uint8_t> bmp_file);

}  // namespace core::window
