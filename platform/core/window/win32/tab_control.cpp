#include "platform/core/window/win32/tab_control.h"

#include <commctrl.h>

#include <string>

#include "platform/core/window/win32/controls.h"
#include "platform/core/window/win32/look.h"

namespace core::window {

RECT TabControl::display_area() const {
  RECT area;
  GetClientRect(tab_, &area);
  TabCtrl_AdjustRect(tab_, FALSE, &area);
  return area;
}

POINT TabControl::page_offset() const {
  const RECT area = display_area();
  return {area.left, area.top};
}

HWND TabControl::add_page(std::string_view gbk_caption) {
  std::wstring caption = to_wide(gbk_caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  TabCtrl_InsertItem(tab_, page_count(), &item);
  // The strip may have grown a row; every page follows the display area.
  const RECT area = display_area();
  HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, page_class(), L"",
                              WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, tab_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  pages_.push_back(page);
  for (HWND p : pages_) {
    SetWindowPos(p, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  show_page(current());
  return page;
}

int TabControl::current() const {
  return TabCtrl_GetCurSel(tab_);
}

void TabControl::set_current(int index) {
  if (index < 0 || index >= page_count()) {
    return;
  }
  TabCtrl_SetCurSel(tab_, index);
  show_page(index);
}

// The focus leaves a page before the page hides; otherwise it would stay in
// a hidden control, or wander on into an edit box and run its handler unasked.
void TabControl::show_page(int index) {
  const HWND focus = GetFocus();
  for (int i = 0; i < page_count(); ++i) {
    if (i != index && focus != nullptr && IsChild(pages_[i], focus)) {
      SetFocus(tab_);
    }
  }
  for (int i = 0; i < page_count(); ++i) {
    ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
  }
}

}  // namespace core::window
