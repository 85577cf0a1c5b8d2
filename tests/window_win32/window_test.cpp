// The test form built by the window logic on the Win32 backend, checked
// through the system: the controls' classes, captions and places as
// EnumChildWindows sees them, a click, focus visits and returns, tab pages,
// the menu, the timer and the HTML pane.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "image/form/form_writer.h"
#include "platform/core/window/session.h"
#include "platform/core/window/win32/win32_backend.h"
#include "platform/core/window/window_api.h"
#include "platform/gbk/gbk_codec.h"
#include "tests/window_win32/checks.h"
#include "tests/window_win32/test_form.h"

namespace win32_test {
namespace {

using core::window::session;

std::vector<uint32_t> g_ran;
std::function<void(uint32_t)> g_while_running;  // runs inside each handler
bool g_timed_out = false;

size_t runs_of(uint32_t code_offset) {
  return static_cast<size_t>(std::count(g_ran.begin(), g_ran.end(), code_offset));
}

struct Child {
  HWND hwnd;
  std::wstring window_class;
  std::wstring text;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM into) {
  wchar_t window_class[64] = {};
  GetClassNameW(hwnd, window_class, 64);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  reinterpret_cast<std::vector<Child>*>(into)->push_back({hwnd, window_class, text});
  return TRUE;
}

std::vector<Child> children_of(HWND window) {
  std::vector<Child> all;
  EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND find(const std::vector<Child>& all, const wchar_t* window_class, const wchar_t* text) {
  for (const Child& c : all) {
    if (_wcsicmp(c.window_class.c_str(), window_class) == 0 && c.text == text) {
      return c.hwnd;
    }
  }
  return nullptr;
}

// The child's window rectangle in the client coordinates of `reference`.
RECT rect_in(HWND child, HWND reference) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string describe(const wchar_t* what) {
  return gbk::to_utf8(gbk::from_utf16(reinterpret_cast<const char16_t*>(what)));
}

core::window::Handle handle(uint32_t id) {
  return session().controls.at(id).handle;
}

core::window::Backend& backend() {
  return *session().backend;
}

void CALLBACK time_out(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_timed_out = true;
}

std::wstring g_box_title;
HWND g_box_owner = nullptr;

void CALLBACK answer_message_box(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND box = FindWindowW(L"#32770", nullptr)) {
    KillTimer(nullptr, id);
    wchar_t title[32] = {};
    GetWindowTextW(box, title, 32);
    g_box_title = title;
    g_box_owner = GetWindow(box, GW_OWNER);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

// Runs the message loop until `done` or `ms` milliseconds, whichever is first.
template <class Done>
void run_for(int ms, Done done) {
  g_timed_out = false;
  SetTimer(nullptr, 0, static_cast<UINT>(ms), time_out);
  backend().run_until([&] { return done() || g_timed_out; });
}

struct PlaceRow {
  const wchar_t* window_class;
  const wchar_t* text;
  uint32_t relative_to;  // 0: the window's client area
  RECT expected;         // left, top, right, bottom
};

// Typed from the test form: stored positions, a page's controls relative to
// the tab control, a group box's relative to the group box.
const PlaceRow kPlaces[] = {
    {L"Button", L"\u786e\u5b9a", 0, {10, 10, 90, 34}},
    {L"Edit", L"abc", 0, {100, 10, 220, 32}},
    {L"Static", L"\u6ce8\u518c&x", 0, {230, 10, 330, 30}},
    {L"SysTabControl32", L"", 0, {10, 40, 310, 190}},
    {L"Edit", L"p1", kTab, {20, 40, 120, 62}},
    {L"Button", L"\u7ec4", kTab, {20, 40, 220, 120}},
    {L"Static", L"inside", kGroup, {10, 20, 110, 40}},
    {L"Static", L"", 0, {320, 40, 380, 80}},
    {L"RICHEDIT50W", L"", 0, {10, 200, 310, 260}},
};

void check_places(HWND window, const std::vector<Child>& all) {
  const HWND tab = find(all, L"SysTabControl32", L"");
  const HWND group = find(all, L"Button", L"\u7ec4");
  for (const PlaceRow& row : kPlaces) {
    const std::string what = describe(row.window_class) + " '" + describe(row.text) + "'";
    HWND hwnd = row.window_class == std::wstring(L"RICHEDIT50W")
                    ? FindWindowExW(window, nullptr, L"RICHEDIT50W", nullptr)
                    : find(all, row.window_class, row.text);
    CHECK_THAT(hwnd != nullptr, what + " present");
    if (hwnd == nullptr) {
      continue;
    }
    const HWND reference = row.relative_to == kTab     ? tab
                           : row.relative_to == kGroup ? group
                                                       : window;
    const RECT r = rect_in(hwnd, reference);
    CHECK_THAT(r.left == row.expected.left && r.top == row.expected.top &&
                   r.right == row.expected.right && r.bottom == row.expected.bottom,
               what + " placed at " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                   std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
  }
}

void check_window(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  CHECK_THAT(client.right == 400 && client.bottom == 300, "client area 400 x 300 below the menu");
  wchar_t caption[16] = {};
  GetWindowTextW(window, caption, 16);
  CHECK_THAT(std::wstring(caption) == L"\u5c9a\u97f3\u5b9d", "window caption");
  CHECK_THAT(!g_ran.empty() && g_ran.front() == kCreated, "created handler ran first");
}

void check_looks(HWND window, const std::vector<Child>& all) {
  const HWND edit = find(all, L"Edit", L"abc");
  CHECK_THAT(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0) == 5, "edit box limited to 5");
  const HWND label = find(all, L"Static", L"\u6ce8\u518c&x");
  CHECK_THAT((GetWindowLongW(label, GWL_STYLE) & SS_NOPREFIX) != 0, "label shows & as itself");
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK_THAT(font.lfHeight == -16 && font.lfWeight == 700, "label font 16 pixels, bold");
  CHECK_THAT(std::wstring(font.lfFaceName) == L"\u9ed1\u4f53", "label font face");

  HDC dc = CreateCompatibleDC(nullptr);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  LOGBRUSH fill{};
  GetObjectW(brush, sizeof fill, &fill);
  CHECK_THAT(GetTextColor(dc) == 0x0000FF, "label text colour");
  CHECK_THAT(brush != nullptr && fill.lbColor == 0x00FFFF, "label background brush");
  DeleteDC(dc);

  const HWND group = find(all, L"Button", L"\u7ec4");
  CHECK_THAT((GetWindowLongW(group, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX, "group box style");
}

// The colour the box shows at this point of its client area.
COLORREF pixel(HWND box, int x, int y) {
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(box);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(box, dc);
  return c;
}

void check_picture(HWND window, const std::vector<Child>& all) {
  const HWND picture = find(all, L"Static", L"");
  CHECK_THAT(pixel(picture, 0, 0) == 0x0000FF && pixel(picture, 3, 2) == 0x0000FF,
             "picture box shows the 4 x 3 BMP from its top left corner");
  CHECK_THAT(pixel(picture, 4, 0) != 0x0000FF && pixel(picture, 0, 3) != 0x0000FF,
             "unscaled: nothing of it beyond 4 x 3");
  const uint8_t truncated[] = {'B', 'M', 1, 2, 3};
  backend().set_picture(handle(kPicture), truncated);
  CHECK_THAT(pixel(picture, 0, 0) != 0x0000FF, "bytes that are no BMP show nothing");
  backend().set_picture(handle(kPicture), bmp_file(80, 2, 0xFF0000));
  RECT client;
  GetClientRect(picture, &client);
  CHECK_THAT(pixel(picture, client.right - 1, 1) == 0xFF0000 && pixel(picture, 0, 2) != 0xFF0000,
             "a new picture replaces it, cut off at the box's edge");
  const RECT r = rect_in(picture, window);
  CHECK_THAT(r.right - r.left == 60 && r.bottom - r.top == 40, "the box keeps its size");
}

void check_events(HWND window, const std::vector<Child>& all) {
  const HWND button = find(all, L"Button", L"\u786e\u5b9a");
  const HWND edit = find(all, L"Edit", L"abc");
  CHECK_THAT(GetFocus() == button, "start focus on the first control without a focus handler");
  CHECK_THAT(GetNextDlgTabItem(window, button, FALSE) == edit, "Tab goes from button to edit");

  SendMessageW(button, BM_CLICK, 0, 0);
  CHECK_THAT(!g_ran.empty() && g_ran.back() == kButtonClicked, "a click runs the button's handler");

  SetFocus(edit);
  CHECK_THAT(runs_of(kEditGotFocus) == 1, "a visit runs the edit box's focus handler");

  SetTimer(nullptr, 0, 200, answer_message_box);
  backend().message_box("\xe1\xb0", "m");  // 岚
  CHECK_THAT(g_box_title == L"\u5c9a" && g_box_owner == window,
             "the message box has its title and belongs to the window");
  CHECK_THAT(GetFocus() == edit, "the focus returns to the edit box after a message box");
  CHECK_THAT(runs_of(kEditGotFocus) == 1, "the return is no visit");

  backend().set_focus(handle(kButton));
  backend().set_focus(handle(kEdit));
  CHECK_THAT(runs_of(kEditGotFocus) == 2, "the program's focus move is a visit");

  // Shift+Tab back to the button, then Tab into the edit box, through the loop.
  for (const bool shift : {true, false}) {
    INPUT keys[4] = {};
    for (INPUT& k : keys) {
      k.type = INPUT_KEYBOARD;
    }
    keys[0].ki.wVk = VK_SHIFT;
    keys[1].ki.wVk = VK_TAB;
    keys[2].ki.wVk = VK_TAB;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_SHIFT;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    if (shift) {
      SendInput(4, keys, sizeof(INPUT));
    } else {
      SendInput(2, keys + 1, sizeof(INPUT));
    }
    run_for(1000, [&] { return GetFocus() == (shift ? button : edit); });
  }
  CHECK_THAT(GetFocus() == edit && runs_of(kEditGotFocus) == 3, "a Tab key visit runs it again");

  HMENU bar = GetMenu(window);
  wchar_t caption[16] = {};
  GetMenuStringW(bar, 0, caption, 16, MF_BYPOSITION);
  CHECK_THAT(GetMenuItemCount(bar) == 1 && std::wstring(caption) == L"\u6587\u4ef6", "menu bar");
  HMENU list = GetSubMenu(bar, 0);
  GetMenuStringW(list, 0, caption, 16, MF_BYPOSITION);
  CHECK_THAT(std::wstring(caption) == L"\u9000\u51fa", "menu list item");
  SendMessageW(window, WM_COMMAND, GetMenuItemID(list, 0), 0);
  CHECK_THAT(!g_ran.empty() && g_ran.back() == kMenuChosen, "the menu item runs its handler");

  backend().set_timer(handle(kTimer), 20);
  run_for(3000, [] { return runs_of(kTimerTick) > 0; });
  backend().set_timer(handle(kTimer), 0);
  CHECK_THAT(runs_of(kTimerTick) > 0, "the timer ticks");

  // The button's handler shows a message box and, while it is open, the
  // button is clicked again: that start is dropped, the timer still ticks.
  const size_t ticks = runs_of(kTimerTick);
  const size_t clicks = runs_of(kButtonClicked);
  g_while_running = [&](uint32_t code) {
    if (code == kButtonClicked) {
      backend().set_timer(handle(kTimer), 20);
      SetTimer(nullptr, 0, 300, answer_message_box);
      SendMessageW(button, BM_CLICK, 0, 0);
      backend().message_box("\xe1\xb0", "m");
      backend().set_timer(handle(kTimer), 0);
    }
  };
  SendMessageW(button, BM_CLICK, 0, 0);
  g_while_running = nullptr;
  CHECK_THAT(runs_of(kButtonClicked) == clicks + 1,
             "a second start of a running handler is dropped");
  CHECK_THAT(runs_of(kTimerTick) > ticks, "the timer ticks while a message box is open");
}

void check_pages(const std::vector<Child>& all) {
  const HWND tab = find(all, L"SysTabControl32", L"");
  const HWND page_edit = find(all, L"Edit", L"p1");
  const HWND group = find(all, L"Button", L"\u7ec4");
  CHECK_THAT(IsWindowVisible(page_edit) && !IsWindowVisible(group), "first page shown at start");

  SetFocus(page_edit);
  RECT item;
  TabCtrl_GetItemRect(tab, 1, &item);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(tab, WM_LBUTTONUP, 0, at);
  CHECK_THAT(backend().page(handle(kTab)) == 1, "a click on the second tab selects it");
  CHECK_THAT(!IsWindowVisible(page_edit) && IsWindowVisible(group), "second page shown");
  CHECK_THAT(GetFocus() == tab, "the focus leaves the hidden page for the tab strip");

  backend().set_page(handle(kTab), 0);
  CHECK_THAT(TabCtrl_GetCurSel(tab) == 0 && IsWindowVisible(page_edit) && !IsWindowVisible(group),
             "the program switches back to the first page");
}

void check_texts(const std::vector<Child>& all) {
  const HWND edit = find(all, L"Edit", L"abc");
  backend().set_text(handle(kEdit), "\xe1\xb0x");  // 岚x
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  CHECK_THAT(start == 2 && end == 2, "caret behind the written text");
  CHECK_THAT(backend().text(handle(kEdit)) == "\xe1\xb0x", "edit text read back as GBK");
  backend().set_enabled(handle(kButton), false);
  CHECK_THAT(!IsWindowEnabled(find(all, L"Button", L"\u786e\u5b9a")), "button disabled");
  backend().set_enabled(handle(kButton), true);
}

std::wstring rich_text(HWND pane, LONG begin, LONG end) {
  std::wstring text(static_cast<size_t>(end - begin) + 1, L'\0');
  TEXTRANGEW range{{begin, end}, text.data()};
  text.resize(static_cast<size_t>(
      SendMessageW(pane, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
  return text;
}

bool is_link(HWND pane, LONG begin, LONG end) {
  CHARRANGE range{begin, end};
  SendMessageW(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  SendMessageW(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return (format.dwMask & CFM_LINK) && (format.dwEffects & CFE_LINK);
}

void check_html(HWND window) {
  const HWND pane = FindWindowExW(window, nullptr, L"RICHEDIT50W", nullptr);
  CHECK_THAT(pane != nullptr, "HTML box is a rich-text pane");
  if (pane == nullptr) {
    return;
  }
  CHECK_THAT(rich_text(pane, 0, 19) == L"Hello link & more\r\u4e8c", "page text shown");
  CHECK_THAT(is_link(pane, 6, 10), "link marked");
  CHECK_THAT(!is_link(pane, 0, 5), "text before it is no link");
}

}  // namespace

void window_tests(const std::filesystem::path& folder, int show_ms) {
  const std::filesystem::path page = folder / L"page.html";
  std::ofstream(page, std::ios::binary)
      << "<html><head><meta charset=\"utf-8\"><title>t</title></head><body>"
         "<p>Hello <a href=\"http://example.invalid/x\">link</a> &amp; more</p>"
         "<p>\xe4\xba\x8c</p></body></html>";

  g_ran.clear();
  const form::Form f = test_form(gbk::from_utf16(reinterpret_cast<const char16_t*>(page.c_str())));
  core::window::attach_form(form::write_form(f), [](uint32_t code) {
    g_ran.push_back(code);
    if (g_while_running) {
      g_while_running(code);
    }
  });
  core::window::load_start_window(kWindowId);
  const HWND window = static_cast<core::window::Win32Backend&>(backend()).window();
  const std::vector<Child> all = children_of(window);

  check_window(window);
  check_places(window, all);
  check_looks(window, all);
  check_picture(window, all);
  check_events(window, all);
  check_pages(all);
  check_texts(all);
  check_html(window);

  if (show_ms > 0) {
    backend().set_text(handle(kEdit), "abc");
    std::fprintf(stderr, "window shown for %d ms\n", show_ms);
    run_for(show_ms, [] { return false; });
  }
  backend().close_window();
  CHECK_THAT(session().closed && !IsWindowVisible(window), "closing hides the window and ends it");
  core::window::shut_down();
}

}  // namespace win32_test
