// The program's own main window built on the Win32 backend: every control of
// the form is a child window of the class its kind calls for, with its
// caption, at its stored place in its container; its keys run the routines
// they stand for. `--show-ms N [--page P]`
// keeps the window open on tab page P for a screenshot.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/core/window/session.h"
#include "platform/core/window/win32/controls.h"
#include "platform/core/window/win32/win32_backend.h"
#include "platform/core/window/window_api.h"
#include "platform/gbk/gbk_codec.h"
#include "runtime/abi.h"
#include "tests/window_win32/checks.h"
#include "tests/window_win32/main_window_keys.h"
#include "ui/form_tables.h"

namespace {

using core::window::session;

std::vector<uint32_t> g_ran;  // code offsets of the routines the window ran

struct KindRow {
  uint32_t kind;
  const wchar_t* window_class;
};

// The system class each kind is shown with.
const KindRow kClasses[] = {
    {abi::kind::Label, L"Static"},        {abi::kind::Button, L"Button"},
    {abi::kind::EditBox, L"Edit"},        {abi::kind::GroupBox, L"Button"},
    {abi::kind::PictureBox, L"Static"},   {abi::kind::TabControl, L"SysTabControl32"},
    {abi::kind::HyperlinkBox, L"Static"}, {abi::kind::HtmlBrowserBox, L"RICHEDIT50W"},
};

const wchar_t* class_of(uint32_t kind) {
  for (const KindRow& row : kClasses) {
    if (row.kind == kind) {
      return row.window_class;
    }
  }
  return nullptr;
}

HWND hwnd_of(uint32_t id) {
  return reinterpret_cast<core::window::Control*>(session().controls.at(id).handle)->hwnd;
}

BOOL CALLBACK collect(HWND hwnd, LPARAM into) {
  reinterpret_cast<std::set<HWND>*>(into)->insert(hwnd);
  return TRUE;
}

// The caption a control of this record shows, if its kind shows one.
const std::string* caption_of(const form::ControlRecord& r) {
  if (const auto* p = std::get_if<form::LabelProps>(&r.properties)) {
    return &p->caption;
  }
  if (const auto* p = std::get_if<form::ButtonProps>(&r.properties)) {
    return &p->caption;
  }
  if (const auto* p = std::get_if<form::EditBoxProps>(&r.properties)) {
    return &p->content;
  }
  if (const auto* p = std::get_if<form::GroupBoxProps>(&r.properties)) {
    return &p->caption;
  }
  return nullptr;
}

std::wstring window_text(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void check_control(const form::Element& e, const std::set<HWND>& children, int& shown) {
  const auto& r = std::get<form::ControlRecord>(e.record);
  const uint32_t kind = form::kind_code(r.properties);
  if (kind == abi::kind::Timer) {
    return;
  }
  const std::string what = "control '" + gbk::to_utf8(r.name) + "'";
  const HWND hwnd = hwnd_of(e.id);
  CHECK_THAT(children.count(hwnd) == 1, what + " is a child window");
  wchar_t window_class[64] = {};
  GetClassNameW(hwnd, window_class, 64);
  CHECK_THAT(_wcsicmp(window_class, class_of(kind)) == 0, what + " class");
  if (const std::string* caption = caption_of(r)) {
    const std::u16string expected = gbk::to_utf16(*caption);
    CHECK_THAT(window_text(hwnd) == std::wstring(expected.begin(), expected.end()),
               what + " caption");
  }
  const HWND reference = r.parent == 0 ? GetAncestor(hwnd, GA_ROOT) : hwnd_of(r.parent);
  RECT at;
  GetWindowRect(hwnd, &at);
  MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&at), 2);
  const form::Geometry& g = r.geometry;
  CHECK_THAT(at.left == g.left && at.top == g.top && at.right - at.left == g.width &&
                 at.bottom - at.top == g.height,
             what + " place");
  ++shown;
}

void CALLBACK time_out(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  PostQuitMessage(0);
}

}  // namespace

int main(int argc, char** argv) {
  int show_ms = 0;
  int page = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--show-ms") == 0) {
      show_ms = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--page") == 0) {
      page = std::atoi(argv[i + 1]);
    }
  }
  const form::Form form = ui::build_form();
  core::window::attach_form(ui::build_form_section(), [](uint32_t code) { g_ran.push_back(code); });
  core::window::load_start_window(abi::kMainWindowId);
  const HWND window = static_cast<core::window::Win32Backend&>(*session().backend).window();

  CHECK_THAT(SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0,
             "the window shows the form's icon");

  std::set<HWND> children;
  EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&children));
  int shown = 0;
  for (const form::Element& e : form.elements) {
    if (e.id != form.elements[0].id && std::holds_alternative<form::ControlRecord>(e.record)) {
      check_control(e, children, shown);
    }
  }
  std::fprintf(stderr, "%d controls shown\n", shown);
  win32_test::main_window_key_checks(window, g_ran);

  if (show_ms > 0) {
    for (const auto& [id, control] : session().controls) {
      if (control.kind == abi::kind::TabControl) {
        session().backend->set_page(control.handle, page);
      }
    }
    SetTimer(nullptr, 0, static_cast<UINT>(show_ms), time_out);
    session().backend->run_until([] { return false; });
  }
  core::window::shut_down();
  return win32_test::failures() == 0 ? 0 : 1;
}
