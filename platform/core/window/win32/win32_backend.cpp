#include "platform/core/window/win32/win32_backend.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "platform/core/errors/errors.h"
#include "platform/core/window/win32/control_builders.h"
#include "platform/core/window/win32/html_view.h"
#include "platform/core/window/win32/look.h"
#include "platform/core/window/win32/tab_control.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

constexpr wchar_t kWindowClass[] = L"LybWindow";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

Control* as_control(Handle handle) {
  return reinterpret_cast<Control*>(handle);
}

// The system refused a window: nothing to show the program in.
[[noreturn]] void refused(const char* what) {
  fatal_error(std::string("LoadStartWindow: the system made no ") + what + " (error " +
              std::to_string(GetLastError()) + ")");
}

}  // namespace

Win32Backend::Win32Backend() {
  const INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&common);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when registered by an earlier window
  register_page_class(instance);
}

Win32Backend::~Win32Backend() {
  // The windows go first; the fonts, brushes and bitmaps they use after them.
  window_.reset();
  controls_.clear();
}

LRESULT CALLBACK Win32Backend::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || message == WM_NCCREATE) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return self->handle(hwnd, message, wparam, lparam);
}

// Messages come from CreateWindowExW before window_ holds the handle, so the
// handle is the one the message names.
LRESULT Win32Backend::handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      command(wparam, lparam);
      return 0;
    case WM_NOTIFY:
      return notify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return control_colours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam),
                             DefWindowProcW(hwnd, message, wparam, lparam));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const Control* control = control_at(item.hwndItem);
      if (control == nullptr || control->kind != abi::kind::PictureBox) {
        return FALSE;
      }
      paint_picture(*control, item.hDC, item.rcItem);
      return TRUE;
    }
    case WM_TIMER:
      if (const auto it = by_timer_.find(wparam); it != by_timer_.end()) {
        deliver(it->second->id, abi::event::Tick);
      }
      return 0;
    case WM_ACTIVATE:
      activated(hwnd, LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0);
      return 0;
    case WM_SETCURSOR:
      // Controls pass the question up to their parents first, so this
      // answers for every control while a request waits.
      if (busy_ && LOWORD(lparam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_CLOSE:
      ShowWindow(hwnd, SW_HIDE);
      window_closed();
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

void Win32Backend::set_busy(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Backend::set_accessible_name(Handle control, std::string_view gbk_name) {
  if (const auto* c = reinterpret_cast<const Control*>(control); c != nullptr) {
    accessible_names_.set(c->hwnd, gbk_name);
  }
}

void Win32Backend::command(WPARAM wparam, LPARAM lparam) {
  if (lparam == 0) {  // a menu command
    const size_t number = LOWORD(wparam);
    if (HIWORD(wparam) == 0 && number >= kFirstMenuCommand &&
        number - kFirstMenuCommand < menu_ids_.size()) {
      deliver(menu_ids_[number - kFirstMenuCommand], abi::event::Clicked);
    }
    return;
  }
  const Control* control = control_at(reinterpret_cast<HWND>(lparam));
  if (control == nullptr) {
    return;
  }
  const WORD code = HIWORD(wparam);
  if (code == BN_CLICKED && control->kind == abi::kind::Button) {
    deliver(control->id, abi::event::Clicked);
  } else if (code == EN_SETFOCUS && control->kind == abi::kind::EditBox) {
    deliver(control->id, abi::event::GotFocus,
            focus_returning_ ? FocusCause::Return : FocusCause::Visit);
  }
}

LRESULT Win32Backend::notify(const NMHDR& header) {
  const Control* control = control_at(header.hwndFrom);
  if (control == nullptr) {
    return 0;
  }
  if (control->tab && header.code == TCN_SELCHANGE) {
    control->tab->selection_changed();
  } else if (control->html && header.code == EN_LINK) {
    control->html->link_clicked(reinterpret_cast<const ENLINK&>(header));
  }
  return 0;
}

LRESULT Win32Backend::control_colours(HDC dc, HWND hwnd, LRESULT system_choice) {
  const Control* control = control_at(hwnd);
  if (control == nullptr) {
    return system_choice;
  }
  const HBRUSH own = paint_colours(dc, control->colours);
  return own != nullptr ? reinterpret_cast<LRESULT>(own) : system_choice;
}

// The focus comes back to where it was when the window is activated again:
// after a message box, or on switching back from another program. That return
// is no new visit of an edit box.
void Win32Backend::activated(HWND hwnd, bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    saved_focus_ = focus != nullptr && IsChild(hwnd, focus) ? focus : nullptr;
    return;
  }
  if (saved_focus_ != nullptr && IsWindow(saved_focus_)) {
    focus_returning_ = true;
    SetFocus(saved_focus_);
    focus_returning_ = false;
  }
}

Control* Win32Backend::control_at(HWND hwnd) const {
  const auto it = by_window_.find(hwnd);
  return it == by_window_.end() ? nullptr : it->second;
}

Handle Win32Backend::create_window(uint32_t id, const form::ControlRecord& record) {
  const auto& props = std::get<form::WindowProps>(record.properties);
  client_size_ = {std::max(record.geometry.width - kFrameWidth, 0),
                  std::max(record.geometry.height - kFrameHeight, 0)};
  window_.reset(CreateWindowExW(kWindowExStyle, kWindowClass, to_wide(props.caption).c_str(),
                                kWindowStyle, record.geometry.left, record.geometry.top,
                                record.geometry.width, record.geometry.height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
  if (window_ == nullptr) {
    refused("window");
  }
  icon_ = icon_from_ico(props.icon);
  if (icon_) {
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  }
  font_ = make_window_font();
  auto window = std::make_unique<Control>();
  window->id = id;
  window->kind = abi::kind::Window;
  window->hwnd = window_.get();
  controls_.push_back(std::move(window));
  return reinterpret_cast<Handle>(controls_.back().get());
}

void Win32Backend::add_menu(uint32_t id, const form::MenuItemRecord& item, MenuSlot slot) {
  if (!menu_) {
    menu_.reset(CreateMenu());
  }
  const std::wstring caption = to_wide(item.caption);
  if (slot == MenuSlot::BarList) {
    list_ = CreatePopupMenu();
    AppendMenuW(menu_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(list_),
                caption.c_str());
    return;
  }
  HMENU into = slot == MenuSlot::BarCommand || list_ == nullptr ? menu_.get() : list_;
  AppendMenuW(into, MF_STRING, kFirstMenuCommand + menu_ids_.size(), caption.c_str());
  menu_ids_.push_back(id);
}

std::pair<HWND, POINT> Win32Backend::container(Place place) const {
  if (place.container == 0) {
    return {window_.get(), {0, 0}};
  }
  const Control* c = as_control(place.container);
  if (c->tab && place.page >= 0 && place.page < c->tab->page_count()) {
    return {c->tab->page(place.page), c->tab->page_offset()};
  }
  return {c->hwnd, {0, 0}};
}

Handle Win32Backend::create(uint32_t id, const form::ControlRecord& record, Place place) {
  const BuildFn build = builder_for(form::kind_code(record.properties));
  if (build == nullptr) {
    return 0;
  }
  const auto [parent, origin] = container(place);
  std::unique_ptr<Control> control = build({id, record, parent, origin, font_.get()});
  if (!control) {
    refused(form::kind_name(form::kind_code(record.properties)));
  }
  if (control->hwnd != nullptr) {
    by_window_[control->hwnd] = control.get();
  } else {
    control->timer_id = by_timer_.size() + 1;
    by_timer_[control->timer_id] = control.get();
  }
  controls_.push_back(std::move(control));
  return reinterpret_cast<Handle>(controls_.back().get());
}

void Win32Backend::lower(Handle control) {
  SetWindowPos(as_control(control)->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Backend::show(const FocusPlan& plan) {
  // Tab follows the stacking order of each container's children.
  for (size_t i = 1; i < plan.tab_order.size(); ++i) {
    const HWND before = as_control(plan.tab_order[i - 1])->hwnd;
    const HWND after = as_control(plan.tab_order[i])->hwnd;
    if (GetParent(before) == GetParent(after)) {
      SetWindowPos(after, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  for (const auto& [edit, button] : plan.enter_clicks) {
    keyboard_.add_enter_click(as_control(edit)->hwnd, *as_control(button));
  }
  for (const auto& control : controls_) {
    if (control->kind == abi::kind::Button) {
      keyboard_.add_button(*control);
    }
  }
  keyboard_.set_help_item(plan.help_item);
  HWND hwnd = window_.get();
  const bool has_menu = menu_ != nullptr;
  if (has_menu) {
    SetMenu(hwnd, menu_.release());  // the window owns it from here
  }
  RECT frame{0, 0, client_size_.cx, client_size_.cy};
  AdjustWindowRectEx(&frame, kWindowStyle, has_menu, kWindowExStyle);
  SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  if (plan.start != 0) {
    SetFocus(as_control(plan.start)->hwnd);
  }
}

void Win32Backend::dispatch(MSG& message) {
  if (window_ != nullptr && keyboard_.handle(window_.get(), message)) {
    return;
  }
  if (window_ == nullptr || !IsDialogMessageW(window_.get(), &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Backend::run_until(const std::function<bool()>& done) {
  while (!done()) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT: left for the outer loop that asked for it
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (got < 0) {
      return;
    }
    dispatch(message);
  }
}

void Win32Backend::wake() {
  if (window_ != nullptr) {
    PostMessageW(window_.get(), WM_NULL, 0, 0);
  } else {
    PostThreadMessageW(thread_, WM_NULL, 0, 0);
  }
}

void Win32Backend::process_events() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

void Win32Backend::close_window() {
  SendMessageW(window_.get(), WM_CLOSE, 0, 0);
}

std::string Win32Backend::text(Handle edit_box) const {
  const HWND hwnd = as_control(edit_box)->hwnd;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return from_wide(text);
}

void Win32Backend::set_text(Handle control, std::string_view gbk_text) {
  const Control* c = as_control(control);
  if (c->kind != abi::kind::Label && c->kind != abi::kind::EditBox) {
    return;
  }
  SetWindowTextW(c->hwnd, to_wide(gbk_text).c_str());
  if (c->kind == abi::kind::EditBox) {
    const LPARAM end = GetWindowTextLengthW(c->hwnd);
    SendMessageW(c->hwnd, EM_SETSEL, end, end);
  }
}

void Win32Backend::set_enabled(Handle control, bool enabled) {
  if (const HWND hwnd = as_control(control)->hwnd) {
    EnableWindow(hwnd, enabled);
  }
}

void Win32Backend::set_picture(Handle picture_box, std::span<const uint8_t> bmp_file) {
  show_picture(*as_control(picture_box), bmp_file);
}

void Win32Backend::set_html(Handle browser, std::string_view gbk_address) {
  as_control(browser)->html->set_address(std::string(gbk_address));
}

int Win32Backend::page(Handle tab_control) const {
  return as_control(tab_control)->tab->current();
}

void Win32Backend::set_page(Handle tab_control, int page) {
  as_control(tab_control)->tab->set_current(page);
}

void Win32Backend::set_timer(Handle timer, int32_t interval_ms) {
  const UINT_PTR id = as_control(timer)->timer_id;
  KillTimer(window_.get(), id);
  if (interval_ms > 0) {
    SetTimer(window_.get(), id, static_cast<UINT>(interval_ms), nullptr);
  }
}

void Win32Backend::set_focus(Handle control) {
  if (const HWND hwnd = as_control(control)->hwnd) {
    SetFocus(hwnd);
  }
}

bool Win32Backend::can_show_message() const {
  return window_ != nullptr && GetCurrentThreadId() == thread_;
}

// MessageBoxW runs its own loop: the window's timers and repaints keep
// running until it is closed. Under Wine on an X server with no window
// manager, what the box covered keeps a stale picture after it closes;
// redrawing the whole window on return keeps it current (on Windows, one
// extra repaint).
void Win32Backend::message_box(std::string_view gbk_title, std::string_view gbk_text) {
  MessageBoxW(window_.get(), to_wide(gbk_text).c_str(), to_wide(gbk_title).c_str(), MB_OK);
  RedrawWindow(window_.get(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace core::window
