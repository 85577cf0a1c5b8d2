// Where a link clicked in the HTML pane leads, and how the pane lays out rows.
#include <windows.h>

#include <fstream>
#include <string>

#include "platform/core/window/win32/html_view.h"
#include "tests/window_win32/checks.h"

namespace win32_test {
namespace {

using Kind = support::LinkTarget::Kind;

struct LinkRow {
  const char* what;
  std::u16string href;
  Kind kind;
  std::string url;    // for an address
  std::wstring file;  // for a file
};

const LinkRow kLinks[] = {
    {"address", u"http://example.invalid/a?b=1", Kind::Url, "http://example.invalid/a?b=1", {}},
    {"address with blanks", u"  https://x/y ", Kind::Url, "https://x/y", {}},
    {"page beside", u"next.html", Kind::LocalFile, {}, L"C:\\pages\\ad\\next.html"},
    {"page above", u"..\\help.html", Kind::LocalFile, {}, L"C:\\pages\\ad\\..\\help.html"},
    {"absolute path", u"D:\\other\\x.html", Kind::LocalFile, {}, L"D:\\other\\x.html"},
    {"Chinese name", u"\u5c9a.html", Kind::LocalFile, {}, L"C:\\pages\\ad\\\u5c9a.html"},
};

}  // namespace

void html_link_tests() {
  const std::filesystem::path page = L"C:\\pages\\ad\\top.html";
  for (const LinkRow& row : kLinks) {
    const support::LinkTarget target = core::window::link_target(page, row.href);
    CHECK_THAT(target.kind == row.kind, std::string(row.what) + ": kind");
    if (row.kind == Kind::Url) {
      CHECK_THAT(target.url == row.url, std::string(row.what) + ": address " + target.url);
    } else {
      CHECK_THAT(target.file.wstring() == row.file, std::string(row.what) + ": file");
    }
  }
}

// A row wider than the pane runs out of it rather than onto a second row:
// the pane shows as many rows as its text has lines.
void html_pane_tests(const std::filesystem::path& folder) {
  const std::filesystem::path page = folder / L"wide.html";
  std::ofstream(page, std::ios::binary)
      << "<meta charset=gb2312><p>one two three four five six seven eight nine ten</p>"
         "<p>eleven twelve thirteen fourteen fifteen</p>";
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  HWND pane = core::window::HtmlView::create_pane(parent, WS_CHILD | WS_VISIBLE, 0, 0, 40, 150);
  CHECK_THAT(pane != nullptr, "the rich-text pane is made");
  if (pane != nullptr) {
    core::window::HtmlView view(pane);
    view.set_address(page.string());
    wchar_t text[512] = {};
    GetWindowTextW(pane, text, 512);
    const std::wstring shown(text);
    CHECK_THAT(shown.find(L"ten") != std::wstring::npos, "the page's text is shown");
    size_t lines = 1;
    for (const wchar_t c : shown) {
      lines += c == L'\r' ? 1 : 0;
    }
    const auto rows = static_cast<size_t>(SendMessageW(pane, EM_GETLINECOUNT, 0, 0));
    CHECK_THAT(rows == lines,
               std::to_string(lines) + " lines shown in " + std::to_string(rows) + " rows");
  }
  DestroyWindow(parent);
}

}  // namespace win32_test
