// Replies as the program reads them: GBK text. Pages are written here in
// UTF-8 and encoded on the way out. The program judges replies by marker
// texts and by length, so the shapes below matter: a refusal page is never
// shorter than 160 bytes and never names the member page, and the page that
// confirms a call is 101 to 159 bytes long.
#pragma once

#include <string>
#include <string_view>

namespace httplib {
struct Response;
}

namespace service {

struct Reply {
  int status = 200;
  std::string content_type;
  std::string body;  // as sent
};

// Encodes UTF-8 text in GBK (code page 936).
std::string to_gbk(std::string_view utf8);

// Escapes the five characters HTML treats as markup, so request text can be shown in a page.
std::string escape_html(std::string_view text);

// A small HTML page; `body_html` is UTF-8 markup.
Reply html_page(std::string_view title, std::string_view body_html);
// A refusal with a one-line message (UTF-8, plain text).
Reply refusal_page(std::string_view message, int status = 200);
// Bare text with no markup, such as "6" or a number of minutes.
Reply plain_text(std::string_view text);
// The confirmation of a placed call.
Reply call_placed_page();

void send(httplib::Response& res, const Reply& reply);

}  // namespace service
