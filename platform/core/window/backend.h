// The contract between the window logic and a window backend (Qt widgets on
// Linux, Win32 windows later). The logic decides what is built where, which
// routine an event runs and what each property and command does; a backend
// makes and shows the controls in its own look and reports the user's actions
// back through deliver() and window_closed().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/form/form_types.h"

namespace core::window {

// A backend's own name for the window or one of its controls: a widget or
// timer pointer, a window handle. 0 names nothing.
using Handle = std::uintptr_t;

// Why an edit box got the focus. A return (the window activated again, a menu
// closed) is not a new visit and runs no handler.
enum class FocusCause { Visit, Return };

// Where a control goes: the client area, a group box, or one page of a tab
// control, always at its stored position relative to that container.
struct Place {
  Handle container = 0;  // 0: the window's client area
  int page = -1;         // the page of the tab control `container`; -1 for other containers
};

// Where a menu element goes: a command of the menu bar, an entry of the bar
// that opens a list, or an item of the last such list.
enum class MenuSlot { BarCommand, BarList, ListItem };

// How the keyboard moves through the window.
struct FocusPlan {
  // The controls Tab visits, in this order. The controls of one tab page
  // follow each other, so a backend that skips hidden controls visits the
  // shown page's controls in their order, then the controls off the pages.
  std::vector<Handle> tab_order;
  Handle start = 0;  // the control that has the focus at start; 0 for none
  // Enter in the edit box (first) clicks the button (second).
  std::vector<std::pair<Handle, Handle>> enter_clicks;
  uint32_t help_item = 0;  // the menu item F1 chooses; 0 for none
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Building, in this order: the window, its menu, the controls (a container
  // before what it holds), then show().
  virtual Handle create_window(uint32_t id, const form::ControlRecord& record) = 0;
  virtual void add_menu(uint32_t id, const form::MenuItemRecord& item, MenuSlot slot) = 0;
  // Returns 0 for a kind this backend cannot build. The control takes its
  // stored look, state and contents from the record.
  virtual Handle create(uint32_t id, const form::ControlRecord& record, Place place) = 0;
  // Draws the control under its siblings.
  virtual void lower(Handle control) = 0;
  // The name assistive technology (a screen reader, UI automation) gives the
  // control; GBK.
  virtual void set_accessible_name(Handle control, std::string_view gbk_name) = 0;
  virtual void show(const FocusPlan& plan) = 0;

  // The message loop: runs until done() holds, checked again after each wake().
  virtual void run_until(const std::function<bool()>& done) = 0;
  virtual void wake() = 0;
  virtual void process_events() = 0;
  // Closes the window as the user would; window_closed() follows.
  virtual void close_window() = 0;
  // The busy cursor over the window while the program waits on the network.
  virtual void set_busy(bool busy) = 0;

  // What the user can change is read back from the backend; everything else
  // the logic keeps. Texts are GBK.
  virtual std::string text(Handle edit_box) const = 0;
  virtual void set_text(Handle control, std::string_view gbk_text) = 0;
  virtual void set_enabled(Handle control, bool enabled) = 0;
  // BMP file bytes; bytes that are no picture show nothing.
  virtual void set_picture(Handle picture_box, std::span<const uint8_t> bmp_file) = 0;
  // Shows the local page at this Windows-style address.
  virtual void set_html(Handle browser, std::string_view gbk_address) = 0;
  virtual int page(Handle tab_control) const = 0;
  virtual void set_page(Handle tab_control, int page) = 0;
  // Restarts the timer with this interval; 0 stops it.
  virtual void set_timer(Handle timer, int32_t interval_ms) = 0;
  // A program's focus move, reported back as a visit.
  virtual void set_focus(Handle control) = 0;

  // Whether a modal box can be shown from the calling thread.
  virtual bool can_show_message() const = 0;
  // A modal box with one OK button; the window's timers and repaints keep
  // running until it is closed.
  virtual void message_box(std::string_view gbk_title, std::string_view gbk_text) = 0;
};

using BackendFactory = std::function<std::unique_ptr<Backend>()>;

// Builds the attached form's window with the backend `make` returns, shows it
// and delivers its created event. The runtime's load_start_window is this
// with the platform's backend.
uint32_t load_window(uint32_t window_id, const BackendFactory& make);

// The backend's one way into the program: runs the routine bound to this
// event of the control or menu item, if any.
void deliver(uint32_t element_id, int32_t event, FocusCause cause = FocusCause::Visit);

// The window was closed; ends the message loop.
void window_closed();

}  // namespace core::window
