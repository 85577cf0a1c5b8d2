// A tab control (SysTabControl32) with one child page window per page. The
// pages fill the control's display area; the controls on a page keep their
// stored positions relative to the tab control, so they are placed at those
// positions less the page's offset.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace core::window {

class TabControl {
 public:
  explicit TabControl(HWND tab) : tab_(tab) {}

  HWND handle() const { return tab_; }
  // Adds a page and its page window; the first page is shown.
  HWND add_page(std::string_view gbk_caption);
  HWND page(int index) const { return pages_.at(static_cast<size_t>(index)); }
  int page_count() const { return static_cast<int>(pages_.size()); }
  // Where a page lies inside the tab control.
  POINT page_offset() const;

  int current() const;
  void set_current(int index);
  // The user picked another tab (TCN_SELCHANGE).
  void selection_changed() { show_page(current()); }

 private:
  void show_page(int index);
  RECT display_area() const;

  HWND tab_;
  std::vector<HWND> pages_;  // children of tab_, destroyed with it
};

}  // namespace core::window
