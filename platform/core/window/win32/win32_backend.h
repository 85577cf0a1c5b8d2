// The window backend over Win32: a top-level window with a menu bar and a
// fixed-size client area, the system's controls placed at their stored
// positions, and the thread's message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/core/window/backend.h"
#include "platform/core/window/win32/accessible_names.h"
#include "platform/core/window/win32/controls.h"
#include "platform/core/window/win32/gdi_handles.h"
#include "platform/core/window/win32/keyboard.h"

namespace core::window {

// The window's menu commands are numbered from here in the order the form
// lists them: the system's dialog navigation sends IDOK and IDCANCEL (1 and
// 2) for Enter and Escape, which must not choose a menu item.
inline constexpr UINT kFirstMenuCommand = 100;

// The frame the form's outer sizes include: 6-pixel borders left and right,
// title bar, one menu line and borders top and bottom taking 48 pixels.
inline constexpr int kFrameWidth = 12;
inline constexpr int kFrameHeight = 48;

class Win32Backend final : public Backend {
 public:
  // Registers the window classes and loads the common controls.
  Win32Backend();
  // Destroys the window, its controls and everything made for them.
  ~Win32Backend() override;

  Handle create_window(uint32_t id, const form::ControlRecord& record) override;
  void add_menu(uint32_t id, const form::MenuItemRecord& item, MenuSlot slot) override;
  Handle create(uint32_t id, const form::ControlRecord& record, Place place) override;
  void lower(Handle control) override;
  void set_accessible_name(Handle control, std::string_view gbk_name) override;
  void show(const FocusPlan& plan) override;

  void run_until(const std::function<bool()>& done) override;
  void wake() override;
  void process_events() override;
  void close_window() override;
  void set_busy(bool busy) override;

  std::string text(Handle edit_box) const override;
  void set_text(Handle control, std::string_view gbk_text) override;
  void set_enabled(Handle control, bool enabled) override;
  void set_picture(Handle picture_box, std::span<const uint8_t> bmp_file) override;
  void set_html(Handle browser, std::string_view gbk_address) override;
  int page(Handle tab_control) const override;
  void set_page(Handle tab_control, int page) override;
  void set_timer(Handle timer, int32_t interval_ms) override;
  void set_focus(Handle control) override;

  bool can_show_message() const override;
  void message_box(std::string_view gbk_title, std::string_view gbk_text) override;

  HWND window() const { return window_.get(); }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void command(WPARAM wparam, LPARAM lparam);
  LRESULT notify(const NMHDR& header);
  LRESULT control_colours(HDC dc, HWND control, LRESULT system_choice);
  void activated(HWND hwnd, bool active);
  void dispatch(MSG& message);

  Control* control_at(HWND hwnd) const;
  // The window a control is placed in, and where that sits relative to the
  // container its stored position counts from.
  std::pair<HWND, POINT> container(Place place) const;

  DWORD thread_ = GetCurrentThreadId();
  AccessibleNames accessible_names_;
  bool busy_ = false;  // the wait cursor stands over the whole window
  WindowOwner window_;
  SIZE client_size_{};
  IconOwner icon_;
  FontOwner font_;                  // the window's default control font
  MenuOwner menu_;                  // the bar until show() hands it to the window
  HMENU list_ = nullptr;            // the bar's last list, owned by the bar
  std::vector<uint32_t> menu_ids_;  // element id of each menu command, from kFirstMenuCommand
  std::vector<std::unique_ptr<Control>> controls_;  // destroyed after the window
  std::unordered_map<HWND, Control*> by_window_;
  std::unordered_map<UINT_PTR, Control*> by_timer_;
  Keyboard keyboard_;
  HWND saved_focus_ = nullptr;  // the focus when the window was last deactivated
  bool focus_returning_ = false;
};

}  // namespace core::window
