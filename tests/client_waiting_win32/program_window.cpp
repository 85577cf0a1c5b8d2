#include "tests/client_waiting_win32/program_window.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string_view>

#include "platform/core/binding/dll_calls.h"
#include "platform/core/window/session.h"
#include "platform/core/window/win32/controls.h"
#include "platform/core/window/win32/win32_backend.h"
#include "platform/core/window/window_api.h"
#include "platform/gbk/gbk_codec.h"
#include "platform/support/library_commands.h"
#include "tests/support/program_routines.h"
#include "ui/form_tables.h"

namespace client_test {
namespace {

using core::window::session;

constexpr std::string_view kServiceAuthority = "127.0.0.1:8600";

ProgramWindow* g_current = nullptr;
std::map<UINT_PTR, std::function<void()>> g_probes;

void CALLBACK run_probe(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const auto it = g_probes.find(id);
  if (it != g_probes.end()) {
    const std::function<void()> probe = std::move(it->second);
    g_probes.erase(it);
    probe();
  }
}

std::wstring window_text(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string utf8_of(const std::wstring& text) {
  return gbk::to_utf8(gbk::from_utf16(std::u16string(text.begin(), text.end())));
}

BOOL CALLBACK find_box(HWND hwnd, LPARAM into) {
  wchar_t window_class[16] = {};
  GetClassNameW(hwnd, window_class, 16);
  if (std::wstring_view(window_class) == L"#32770" && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(into) = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void ProgramWindow::SetUp() {
  start_ = std::chrono::steady_clock::now();
  // Boxes are real modal boxes here, answered by the fixture.
  _putenv_s("WINAPI_MSGBOX", "");
  ProgramFixture::SetUp();
  services().call_dll_function = &binding::call_dll_function;
  core::window::register_window_commands();
  services().read_property = &core::window::read_property;
  services().write_property = &core::window::write_property;
  services().call_library_command = &support::call_library_command;
  attach();
  core::window::attach_form(ui::build_form_section(), &test_support::run_program_routine);
  core::window::load_start_window(abi::kMainWindowId);
  g_current = this;
  box_answerer_ = SetTimer(nullptr, 0, 20, answer_boxes);
}

void ProgramWindow::TearDown() {
  KillTimer(nullptr, box_answerer_);
  g_current = nullptr;
  core::window::shut_down();
  _putenv_s("WINAPI_MSGBOX", "stderr");
  ProgramFixture::TearDown();
}

void ProgramWindow::route_service_to(int port) {
  const std::string routed = "127.0.0.1:" + std::to_string(port);
  ASSERT_EQ(routed.size(), kServiceAuthority.size()) << "the port must have four digits";
  const std::vector<uint8_t>& original = constants().data;
  constants_.assign(original.begin(), original.end());
  auto at = constants_.begin();
  while ((at = std::search(at, constants_.end(), kServiceAuthority.begin(),
                           kServiceAuthority.end())) != constants_.end()) {
    at = std::copy(routed.begin(), routed.end(), at);
  }
  words_.const_base = constants_.data();
  attach();
}

void CALLBACK ProgramWindow::answer_boxes(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr || g_current == nullptr) {
    return;
  }
  // The box's text is its static control numbered 0xFFFF.
  const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - g_current->start_);
  g_current->boxes.push_back({utf8_of(window_text(GetDlgItem(box, 0xFFFF))), at});
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

HWND ProgramWindow::window() const {
  return static_cast<core::window::Win32Backend&>(*session().backend).window();
}

HWND ProgramWindow::control(uint32_t id) const {
  return reinterpret_cast<core::window::Control*>(session().controls.at(id).handle)->hwnd;
}

std::string ProgramWindow::text_of(uint32_t id) const {
  return utf8_of(window_text(control(id)));
}

void ProgramWindow::type_into(uint32_t id, const char* utf8_text) {
  const std::u16string text = gbk::to_utf16(gbk::from_utf8(utf8_text));
  SetWindowTextW(control(id), std::wstring(text.begin(), text.end()).c_str());
}

void ProgramWindow::click(uint32_t id) {
  const HWND button = control(id);
  SendMessageW(window(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void ProgramWindow::choose_menu_item(const wchar_t* caption) {
  const HMENU bar = GetMenu(window());
  for (int entry = 0; entry < GetMenuItemCount(bar); ++entry) {
    const HMENU list = GetSubMenu(bar, entry);
    for (int item = 0; list != nullptr && item < GetMenuItemCount(list); ++item) {
      wchar_t text[64] = {};
      GetMenuStringW(list, static_cast<UINT>(item), text, 64, MF_BYPOSITION);
      if (std::wstring_view(text) == caption) {
        SendMessageW(window(), WM_COMMAND, GetMenuItemID(list, item), 0);
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << utf8_of(caption);
}

void ProgramWindow::during(std::chrono::milliseconds after, std::function<void()> probe) {
  const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(after.count()), run_probe);
  g_probes[id] = std::move(probe);
}

// Asks the control what it shows, as a mouse move over it would; the answer
// comes from the window, which every control passes the question up to.
bool ProgramWindow::busy_cursor_over(uint32_t id) const {
  const HWND hwnd = control(id);
  SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
}

std::vector<std::string> ProgramWindow::box_texts() const {
  std::vector<std::string> texts;
  for (const ShownBox& box : boxes) {
    texts.push_back(box.text);
  }
  return texts;
}

}  // namespace client_test
