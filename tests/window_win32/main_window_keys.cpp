#include "tests/window_win32/main_window_keys.h"

#include <optional>
#include <string>

#include "image/routine_list.h"
#include "platform/core/window/session.h"
#include "platform/core/window/win32/controls.h"
#include "tests/window_win32/checks.h"
#include "ui/control_ids.h"

namespace win32_test {
namespace {

using core::window::session;
using program::Routine;

struct KeyRow {
  const char* what;
  uint32_t focus;  // the control that has the focus when the key goes down
  int page;        // the tab page that shows it
  WORD key;
  std::optional<Routine> runs;  // nullopt: no routine runs
};

// Typed from the keyboard's requirements: Enter in 编辑框3 presses 提交, in
// 编辑框4 注册, in 编辑框2 and 编辑框1 登录, in 拨打电话 拨打; Enter on a button
// clicks it; F1 is "注册帮助". Escape and Enter on the tab strip mean nothing
// (the system's dialog navigation turns them into IDOK and IDCANCEL, which
// once chose the first menu items).
const KeyRow kKeys[] = {
    {"Enter in 编辑框3", ui::id::编辑框3, 0, VK_RETURN, Routine::RequestVoiceCode},
    {"Enter in 编辑框4", ui::id::编辑框4, 0, VK_RETURN, Routine::SubmitRegistration},
    {"Enter in 编辑框2", ui::id::编辑框2, 1, VK_RETURN, Routine::LogIn},
    {"Enter in 编辑框1", ui::id::编辑框1, 1, VK_RETURN, Routine::LogIn},
    {"Enter in 拨打电话", ui::id::拨打电话, 1, VK_RETURN, Routine::OnDialClicked},
    {"Enter on the key 1", ui::id::按钮3, 1, VK_RETURN, Routine::OnKey1Clicked},
    {"Enter on 注册", ui::id::按钮15, 0, VK_RETURN, Routine::SubmitRegistration},
    {"F1 in 编辑框3", ui::id::编辑框3, 0, VK_F1, Routine::OpenRegistrationHelp},
    {"F1 on the key 1", ui::id::按钮3, 1, VK_F1, Routine::OpenRegistrationHelp},
    {"Escape in 编辑框2", ui::id::编辑框2, 1, VK_ESCAPE, std::nullopt},
    {"Enter on the tab strip", ui::id::选择夹1, 1, VK_RETURN, std::nullopt},
};

HWND hwnd_of(uint32_t id) {
  return reinterpret_cast<core::window::Control*>(session().controls.at(id).handle)->hwnd;
}

bool g_timed_out = false;

void CALLBACK time_out(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_timed_out = true;
}

// Runs the window's message loop until `done` or `ms` milliseconds.
template <class Done>
void run_for(int ms, Done done) {
  g_timed_out = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(ms), time_out);
  session().backend->run_until([&] { return done() || g_timed_out; });
  KillTimer(nullptr, timer);
}

void press(WORD key) {
  INPUT keys[2] = {};
  for (INPUT& k : keys) {
    k.type = INPUT_KEYBOARD;
    k.ki.wVk = key;
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

}  // namespace

void main_window_key_checks(HWND window, std::vector<uint32_t>& ran) {
  SetForegroundWindow(window);
  for (const KeyRow& row : kKeys) {
    session().backend->set_page(session().controls.at(ui::id::选择夹1).handle, row.page);
    const HWND focus = hwnd_of(row.focus);
    SetFocus(focus);
    run_for(200, [] { return false; });  // the focus change settles
    ran.clear();
    CHECK_THAT(GetFocus() == focus, std::string(row.what) + ": the control has the focus");

    press(row.key);
    run_for(row.runs ? 2000 : 300, [&] { return !ran.empty(); });

    if (row.runs) {
      CHECK_THAT(ran.size() == 1 && ran[0] == program::code_offset(*row.runs),
                 std::string(row.what) + " runs its routine once");
    } else {
      CHECK_THAT(ran.empty(), std::string(row.what) + " runs nothing");
    }
  }
}

}  // namespace win32_test
