// Where a link clicked in the HTML pane leads.
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

}  // namespace win32_test
