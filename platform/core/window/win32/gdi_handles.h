// Owners of the Win32 handles the backend makes: each handle sits in a
// unique_ptr whose deleter is the call that frees it.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace core::window {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct ModuleDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};

using FontOwner = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BrushOwner = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using BitmapOwner = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using MenuOwner = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using WindowOwner = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using ModuleOwner = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

}  // namespace core::window
