// The HTML browser box as a rich-text pane (RichEdit 4.1, msftedit.dll): shows
// a local page given by its (Windows-style) path as text with its links
// marked, decoded by the charset the page declares, and hands a clicked link
// to the desktop's browser. Works where no browser engine is installed. A
// page that cannot be read leaves the box empty.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/window/win32/page_text.h"
#include "platform/support/link_target.h"

namespace core::window {

class HtmlView {
 public:
  // Makes the pane as a child of `parent`; null when the rich-text library
  // cannot be loaded.
  static HWND create_pane(HWND parent, DWORD style, int left, int top, int width, int height);

  explicit HtmlView(HWND pane) : pane_(pane) {}

  HWND handle() const { return pane_; }

  // The address is GBK text as the program gives it.
  void set_address(std::string gbk_address);
  const std::string& address() const { return address_; }

  // A click on a marked link (EN_LINK): opens its target. Says whether the
  // notification was a click on one of the page's links.
  bool link_clicked(const ENLINK& link);

 private:
  HWND pane_;
  std::string address_;
  std::filesystem::path file_;
  std::vector<PageLink> links_;
};

// Where a link of the page at `page_file` leads: an address with a scheme as
// it is, a relative path from the page's folder, an absolute path as it is.
support::LinkTarget link_target(const std::filesystem::path& page_file, std::u16string_view href);

// The page's text, decoded by the charset its head declares: GB2312, GBK or
// GB18030 (and pages that declare none) as GBK, UTF-8 as UTF-8.
std::u16string decode_page(const std::string& bytes);

}  // namespace core::window
