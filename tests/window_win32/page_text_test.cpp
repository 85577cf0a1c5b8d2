// How a page becomes the text and links of the rich-text pane.
#include <string>
#include <vector>

#include "platform/core/window/page_charset.h"
#include "platform/core/window/win32/page_text.h"
#include "tests/window_win32/checks.h"

namespace win32_test {
namespace {

struct LinkRow {
  size_t begin;
  size_t end;
  std::u16string href;
};

struct PageRow {
  const char* what;
  std::u16string html;
  std::u16string text;
  std::vector<LinkRow> links;
};

const PageRow kPages[] = {
    {"blanks collapse", u"  plain \t text\r\n here  ", u"plain text here", {}},
    {"paragraphs end lines", u"<p>one</p>\n<P>two</p>", u"one\rtwo", {}},
    {"breaks", u"a <br>b<br/>c", u"a\rb\rc", {}},
    {"head, styles and scripts hidden",
     u"<head><title>T</title><style>p{}</style></head><body>x<script>var a='<p>';</script>y",
     u"xy",
     {}},
    {"comments hidden", u"<!-- c <p> -->z", u"z", {}},
    {"entities",
     u"&lt;&amp;&GT;&quot;&#x4E00;&#20108;&nbsp;&bogus; &",
     u"<&>\"\u4e00\u4e8c &bogus; &",
     {}},
    {"cells and rows",
     u"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>",
     u"a b\rc",
     {}},
    {"quoted link",
     u"go <a href=\"http://h/x?a=1&amp;b=2\">here</a> now",
     u"go here now",
     {{3, 7, u"http://h/x?a=1&b=2"}}},
    {"unquoted upper-case link",
     u"<A target=_blank HREF=page2.html>p</A>",
     u"p",
     {{0, 1, u"page2.html"}}},
    {"link after a line", u"<p>x</p><a href='y'>\u5c9a</a>", u"x\r\u5c9a", {{2, 3, u"y"}}},
    {"links without text or target dropped", u"<a href=\"x\"></a>t<a>n</a>", u"tn", {}},
    {"unterminated tag ends the page", u"a<b", u"a", {}},
};

void page_rows() {
  for (const PageRow& row : kPages) {
    const core::window::PageText page = core::window::page_text(row.html);
    CHECK_THAT(page.text == row.text, std::string(row.what) + ": text");
    CHECK_THAT(page.links.size() == row.links.size(), std::string(row.what) + ": link count");
    for (size_t i = 0; i < std::min(page.links.size(), row.links.size()); ++i) {
      CHECK_THAT(page.links[i].begin == row.links[i].begin && page.links[i].end == row.links[i].end,
                 std::string(row.what) + ": link range");
      CHECK_THAT(page.links[i].href == row.links[i].href, std::string(row.what) + ": href");
    }
  }
}

struct CharsetRow {
  const char* page;
  const char* charset;
};

const CharsetRow kCharsets[] = {
    {"<meta charset=\"UTF-8\">", "utf-8"},
    {"<meta http-equiv=Content-Type content='text/html; charset=gb2312'>", "gb2312"},
    {"<html><body>no charset</body></html>", ""},
};

void charset_rows() {
  for (const CharsetRow& row : kCharsets) {
    CHECK_THAT(core::window::declared_charset(row.page) == row.charset,
               std::string("charset of ") + row.page);
  }
}

}  // namespace

void page_text_tests() {
  page_rows();
  charset_rows();
}

}  // namespace win32_test
