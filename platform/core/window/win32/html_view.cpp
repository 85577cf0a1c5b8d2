#include "platform/core/window/win32/html_view.h"

#include <fstream>
#include <iterator>

#include "platform/core/window/page_charset.h"
#include "platform/core/window/win32/gdi_handles.h"
#include "platform/gbk/gbk_codec.h"
#include "platform/paths/paths.h"
#include "platform/support/desktop.h"

namespace core::window {
namespace {

// Loaded with the first HTML box and kept for the process: the panes' window
// class lives in it.
bool load_rich_edit() {
  static const ModuleOwner library(LoadLibraryW(L"msftedit.dll"));
  return library != nullptr;
}

std::u16string from_utf8(const std::string& bytes) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

void mark_link(HWND pane, const PageLink& link) {
  CHARRANGE range{static_cast<LONG>(link.begin), static_cast<LONG>(link.end)};
  SendMessageW(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_LINK;
  format.dwEffects = CFE_LINK;
  SendMessageW(pane, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

support::LinkTarget link_target(const std::filesystem::path& page_file, std::u16string_view href) {
  const std::wstring wide(href.begin(), href.end());
  support::LinkTarget target = support::classify(paths::ansi_path(wide));
  if (target.kind == support::LinkTarget::Kind::LocalFile && target.file.is_relative()) {
    target.file = page_file.parent_path() / target.file;
  }
  return target;
}

std::u16string decode_page(const std::string& bytes) {
  const std::string charset = declared_charset(bytes);
  if (charset == "utf-8" || charset == "utf8") {
    return from_utf8(bytes);
  }
  return gbk::to_utf16(bytes);
}

HWND HtmlView::create_pane(HWND parent, DWORD style, int left, int top, int width, int height) {
  if (!load_rich_edit()) {
    return nullptr;
  }
  HWND pane = CreateWindowExW(0, MSFTEDIT_CLASS, L"", style | ES_MULTILINE | ES_READONLY, left, top,
                              width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (pane != nullptr) {
    SendMessageW(pane, EM_SETEVENTMASK, 0, ENM_LINK);
    SendMessageW(pane, EM_AUTOURLDETECT, FALSE, 0);
    // Rows do not wrap: a line width of 1 with no target device.
    SendMessageW(pane, EM_SETTARGETDEVICE, 0, 1);
  }
  return pane;
}

void HtmlView::set_address(std::string gbk_address) {
  address_ = std::move(gbk_address);
  file_ = paths::host_path(address_);
  std::ifstream in(file_, std::ios::binary);
  std::string bytes;
  if (in) {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  PageText page = page_text(decode_page(bytes));
  const std::wstring text(page.text.begin(), page.text.end());
  SetWindowTextW(pane_, text.c_str());
  for (const PageLink& link : page.links) {
    mark_link(pane_, link);
  }
  CHARRANGE start{0, 0};
  SendMessageW(pane_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  links_ = std::move(page.links);
}

bool HtmlView::link_clicked(const ENLINK& link) {
  if (link.msg != WM_LBUTTONUP) {
    return false;
  }
  for (const PageLink& l : links_) {
    if (static_cast<size_t>(link.chrg.cpMin) >= l.begin &&
        static_cast<size_t>(link.chrg.cpMin) < l.end) {
      support::open_target(link_target(file_, l.href));
      return true;
    }
  }
  return false;
}

}  // namespace core::window
