#include "tests/wine_journey/program_window.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/core/window/win32/win32_backend.h"
#include "platform/gbk/gbk_codec.h"
#include "runtime/abi.h"
#include "ui/form_tables.h"

namespace wine_journey {
namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kSendTimeoutMs = 5000;
// The message box's text is the static control with this id.
constexpr int kMessageTextId = 0xFFFF;

// The system class each kind of control is shown with.
struct KindClass {
  uint32_t kind;
  const wchar_t* window_class;
};
const KindClass kClasses[] = {
    {abi::kind::Label, L"Static"},        {abi::kind::Button, L"Button"},
    {abi::kind::EditBox, L"Edit"},        {abi::kind::GroupBox, L"Button"},
    {abi::kind::PictureBox, L"Static"},   {abi::kind::TabControl, L"SysTabControl32"},
    {abi::kind::HyperlinkBox, L"Static"}, {abi::kind::HtmlBrowserBox, L"RICHEDIT50W"},
};

bool has_class(HWND hwnd, uint32_t kind) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  for (const KindClass& row : kClasses) {
    if (row.kind == kind) {
      return _wcsicmp(name, row.window_class) == 0;
    }
  }
  return false;
}

BOOL CALLBACK collect(HWND hwnd, LPARAM into) {
  reinterpret_cast<std::vector<HWND>*>(into)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> descendants(HWND of) {
  std::vector<HWND> all;
  EnumChildWindows(of, collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<HWND> top_windows() {
  std::vector<HWND> all;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

bool owned_by(HWND hwnd, DWORD process_id) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  return owner == process_id;
}

bool has_class_name(HWND hwnd, const wchar_t* wanted) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return _wcsicmp(name, wanted) == 0;
}

std::wstring window_text(HWND hwnd) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      kSendTimeoutMs, &copied);
  return std::wstring(text, copied);
}

const form::Element* element_named(const form::Form& form, const char* utf8_name) {
  for (const form::Element& e : form.elements) {
    if (const auto* r = std::get_if<form::ControlRecord>(&e.record);
        r != nullptr && gbk::to_utf8(r->name) == utf8_name) {
      return &e;
    }
  }
  return nullptr;
}

const form::Element* element_with_id(const form::Form& form, uint32_t id) {
  for (const form::Element& e : form.elements) {
    if (e.id == id) {
      return &e;
    }
  }
  return nullptr;
}

// The window of a control: among the windows inside its container, the one
// of its kind's class at its stored place relative to the container.
HWND find_control(const form::Form& form, HWND window, const form::Element& e) {
  const auto& r = std::get<form::ControlRecord>(e.record);
  HWND reference = window;
  if (r.parent != 0) {
    const form::Element* parent = element_with_id(form, r.parent);
    reference = parent != nullptr ? find_control(form, window, *parent) : nullptr;
  }
  if (reference == nullptr) {
    return nullptr;
  }
  const uint32_t kind = form::kind_code(r.properties);
  HWND found = nullptr;
  for (HWND hwnd : descendants(reference)) {
    RECT at;
    GetWindowRect(hwnd, &at);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&at), 2);
    const form::Geometry& g = r.geometry;
    if (at.left == g.left && at.top == g.top && at.right - at.left == g.width &&
        at.bottom - at.top == g.height && has_class(hwnd, kind)) {
      if (found != nullptr) {
        std::fprintf(stderr, "two windows stand where '%s' is\n", gbk::to_utf8(r.name).c_str());
        return nullptr;
      }
      found = hwnd;
    }
  }
  return found;
}

template <typename Ready>
bool wait_until(Ready ready, int seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  while (!ready()) {
    if (Clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

}  // namespace

std::wstring to_wide(const std::string& utf8) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string to_utf8(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

ProcessOwner::~ProcessOwner() {
  if (info.hThread != nullptr) {
    CloseHandle(info.hThread);
  }
  if (info.hProcess != nullptr) {
    CloseHandle(info.hProcess);
  }
}

ProgramWindow::ProgramWindow(const std::wstring& exe) : form_(ui::build_form()) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process_.info)) {
    std::fprintf(stderr, "the program could not be started (error %lu)\n", GetLastError());
    return;
  }
  window_ = find_window(60);
}

ProgramWindow::~ProgramWindow() {
  if (process_.info.hProcess != nullptr &&
      WaitForSingleObject(process_.info.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.info.hProcess, 1);
    WaitForSingleObject(process_.info.hProcess, 10000);
  }
}

HWND ProgramWindow::find_window(int seconds) const {
  HWND found = nullptr;
  wait_until(
      [&] {
        for (HWND hwnd : top_windows()) {
          if (owned_by(hwnd, process_.info.dwProcessId) && IsWindowVisible(hwnd) &&
              has_class_name(hwnd, L"LybWindow")) {
            found = hwnd;
            return true;
          }
        }
        return WaitForSingleObject(process_.info.hProcess, 0) != WAIT_TIMEOUT;
      },
      seconds);
  return found;
}

HWND ProgramWindow::control(const char* utf8_name) const {
  const form::Element* e = element_named(form_, utf8_name);
  HWND hwnd = e != nullptr && window_ != nullptr ? find_control(form_, window_, *e) : nullptr;
  if (hwnd == nullptr) {
    std::fprintf(stderr, "no window for the control '%s'\n", utf8_name);
  }
  return hwnd;
}

std::string ProgramWindow::text_of(const char* utf8_name) const {
  HWND hwnd = control(utf8_name);
  return hwnd != nullptr ? to_utf8(window_text(hwnd)) : std::string();
}

void ProgramWindow::type_into(const char* utf8_name, const char* utf8_text) {
  if (HWND hwnd = control(utf8_name)) {
    const std::wstring text = to_wide(utf8_text);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
  }
}

// Posted, not sent: the handler may open a message box, which this process
// answers while the program waits in it.
void ProgramWindow::click(const char* utf8_name) {
  if (HWND hwnd = control(utf8_name)) {
    PostMessageW(hwnd, BM_CLICK, 0, 0);
  }
}

void ProgramWindow::focus(const char* utf8_name) {
  if (HWND hwnd = control(utf8_name)) {
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
}

// The window's menu commands are numbered from kFirstMenuCommand in the order
// the form lists them; an entry of the bar with items under it is a list, not
// a command. (Read from another process, the window's menu shows no
// items under Wine, so the form's order is the guide.)
bool ProgramWindow::choose_menu_item(const char* utf8_caption) {
  std::vector<const form::MenuItemRecord*> items;
  for (const form::Element& e : form_.elements) {
    if (const auto* m = std::get_if<form::MenuItemRecord>(&e.record)) {
      items.push_back(m);
    }
  }
  WORD number = core::window::kFirstMenuCommand - 1;
  for (size_t i = 0; i < items.size(); ++i) {
    const bool is_list = items[i]->level == 0 && i + 1 < items.size() && items[i + 1]->level == 1;
    if (is_list) {
      continue;
    }
    ++number;
    if (gbk::to_utf8(items[i]->caption) == utf8_caption) {
      PostMessageW(window_, WM_COMMAND, MAKEWPARAM(number, 0), 0);
      return true;
    }
  }
  std::fprintf(stderr, "no menu command '%s'\n", utf8_caption);
  return false;
}

HWND ProgramWindow::message_box() const {
  for (HWND hwnd : top_windows()) {
    if (owned_by(hwnd, process_.info.dwProcessId) && IsWindowVisible(hwnd) &&
        has_class_name(hwnd, L"#32770")) {
      return hwnd;
    }
  }
  return nullptr;
}

std::optional<std::string> ProgramWindow::next_message(int seconds) {
  HWND box = nullptr;
  if (!wait_until([&] { return (box = message_box()) != nullptr; }, seconds)) {
    return std::nullopt;
  }
  // The box may be shown before its text is set: give it a moment.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::string text = to_utf8(window_text(GetDlgItem(box, kMessageTextId)));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  wait_until([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 10);
  return text;
}

bool ProgramWindow::wait_for_text(const char* utf8_name, const std::string& utf8_text,
                                  int seconds) const {
  return wait_until([&] { return text_of(utf8_name) == utf8_text; }, seconds);
}

bool ProgramWindow::wait_for_text_holding(const char* utf8_name, const std::string& utf8_part,
                                          int seconds) const {
  return wait_until([&] { return text_of(utf8_name).find(utf8_part) != std::string::npos; },
                    seconds);
}

bool ProgramWindow::save_picture(const std::wstring& path) const {
  RECT r;
  if (window_ == nullptr || !GetWindowRect(window_, &r)) {
    return false;
  }
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD row = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + row * static_cast<DWORD>(height);
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), row * static_cast<DWORD>(height));
    saved = out.good();
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

int ProgramWindow::close() {
  if (process_.info.hProcess == nullptr) {
    return -1;
  }
  if (window_ != nullptr) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process_.info.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.info.hProcess, 1);
    WaitForSingleObject(process_.info.hProcess, 10000);
    return -1;
  }
  DWORD status = 0;
  GetExitCodeProcess(process_.info.hProcess, &status);
  return static_cast<int>(status);
}

}  // namespace wine_journey
