#include "platform/core/window/win32/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/core/window/win32/html_view.h"
#include "platform/core/window/win32/tab_control.h"

namespace core::window {
namespace {

constexpr wchar_t kPageClass[] = L"LybTabPage";
constexpr UINT_PTR kForwardSubclassId = 1;

// A group box paints only its frame and caption; the area inside, which its
// parent does not paint under a child window, is filled here.
LRESULT CALLBACK forwarding_subclass(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR, DWORD_PTR background) {
  if (is_forwarded(message)) {
    return forward_to_window(hwnd, message, wparam, lparam);
  }
  if (message == WM_ERASEBKGND) {
    RECT area;
    GetClientRect(hwnd, &area);
    FillRect(reinterpret_cast<HDC>(wparam), &area, reinterpret_cast<HBRUSH>(background));
    return TRUE;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK page_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (is_forwarded(message)) {
    return forward_to_window(hwnd, message, wparam, lparam);
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

uint32_t read_u32(std::span<const uint8_t> bytes, size_t at) {
  uint32_t v;
  std::memcpy(&v, bytes.data() + at, sizeof v);
  return v;
}

}  // namespace

Control::Control() = default;
Control::~Control() = default;

bool is_forwarded(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
      return true;
    default:
      return false;
  }
}

LRESULT forward_to_window(HWND container, UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(GetAncestor(container, GA_ROOT), message, wparam, lparam);
}

void make_container(HWND group_box, HBRUSH background) {
  const HBRUSH fill = background != nullptr ? background : GetSysColorBrush(COLOR_BTNFACE);
  SetWindowSubclass(group_box, forwarding_subclass, kForwardSubclassId,
                    reinterpret_cast<DWORD_PTR>(fill));
}

const wchar_t* page_class() {
  return kPageClass;
}

void register_page_class(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = page_procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPageClass;
  RegisterClassExW(&wc);  // fails harmlessly when a second window registers it again
}

void paint_picture(const Control& box, HDC dc, const RECT& area) {
  FillRect(dc, &area,
           box.colours.brush ? box.colours.brush.get() : GetSysColorBrush(COLOR_BTNFACE));
  if (!box.picture) {
    return;
  }
  BITMAP size{};
  GetObjectW(box.picture.get(), sizeof size, &size);
  HDC memory = CreateCompatibleDC(dc);
  const HGDIOBJ before = SelectObject(memory, box.picture.get());
  BitBlt(dc, area.left, area.top, std::min<LONG>(size.bmWidth, area.right - area.left),
         std::min<LONG>(size.bmHeight, area.bottom - area.top), memory, 0, 0, SRCCOPY);
  SelectObject(memory, before);
  DeleteDC(memory);
}

IconOwner icon_from_ico(std::span<const uint8_t> ico) {
  constexpr size_t kDirectory = 6;
  constexpr size_t kEntry = 16;
  if (ico.size() < kDirectory + kEntry || ico[0] != 0 || ico[1] != 0 || ico[2] != 1 ||
      ico[3] != 0 || (ico[4] == 0 && ico[5] == 0)) {
    return nullptr;
  }
  const uint32_t size = read_u32(ico, kDirectory + 8);
  const uint32_t at = read_u32(ico, kDirectory + 12);
  if (at > ico.size() || size == 0 || size > ico.size() - at) {
    return nullptr;
  }
  // The image is copied: the call may keep no pointer, but wants it writable
  // and aligned.
  std::vector<uint8_t> image(ico.begin() + at, ico.begin() + at + size);
  return IconOwner(
      CreateIconFromResourceEx(image.data(), size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

BitmapOwner bitmap_from_bmp(std::span<const uint8_t> bmp) {
  constexpr size_t kFileHeader = 14;
  if (bmp.size() < kFileHeader + sizeof(BITMAPINFOHEADER) || bmp[0] != 'B' || bmp[1] != 'M') {
    return nullptr;
  }
  const uint32_t pixels_at = read_u32(bmp, 10);
  BITMAPINFOHEADER header;
  std::memcpy(&header, bmp.data() + kFileHeader, sizeof header);
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > bmp.size() - kFileHeader ||
      header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1 ||
      pixels_at > bmp.size() || pixels_at < kFileHeader + header.biSize) {
    return nullptr;
  }
  if (header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS) {
    const uint64_t stride = ((uint64_t(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const uint64_t rows = header.biHeight < 0 ? -int64_t(header.biHeight) : header.biHeight;
    if (header.biBitCount == 0 || stride * rows > bmp.size() - pixels_at) {
      return nullptr;
    }
  }
  // The info header and colour table, copied to an aligned place.
  std::vector<uint32_t> info((pixels_at - kFileHeader + 3) / 4);
  std::memcpy(info.data(), bmp.data() + kFileHeader, pixels_at - kFileHeader);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, bmp.data() + pixels_at,
                                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return BitmapOwner(bitmap);
}

}  // namespace core::window
