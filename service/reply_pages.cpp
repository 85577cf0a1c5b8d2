#include "service/reply_pages.h"

#include <httplib.h>

#include <QString>

#include "platform/gbk/gbk_text.h"

namespace service {
namespace {

constexpr char kHtmlType[] = "text/html; charset=gbk";
constexpr char kTextType[] = "text/plain; charset=gbk";

}  // namespace

std::string to_gbk(std::string_view utf8) {
  return gbk::from_qstring(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string escape_html(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

Reply html_page(std::string_view title, std::string_view body_html) {
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
      "<title>";
  page += title;
  page += "</title></head><body>";
  page += body_html;
  page += "</body></html>";
  return Reply{200, kHtmlType, to_gbk(page)};
}

Reply refusal_page(std::string_view message, int status) {
  std::string body = "<p class=\"notice\">";
  body += escape_html(message);
  body += "</p><p><a href=\"javascript:history.back()\">返回</a></p>";
  Reply reply = html_page("提示", body);
  reply.status = status;
  return reply;
}

Reply plain_text(std::string_view text) {
  return Reply{200, kTextType, to_gbk(text)};
}

Reply call_placed_page() {
  // Kept short on purpose: the program takes 101 to 159 bytes as success.
  return Reply{200, kHtmlType,
               to_gbk("<html><head><title>呼叫成功</title></head><body><p>呼叫已受理，"
                      "正在为您接通，请在5到60秒内留意来电。</p></body></html>")};
}

void send(httplib::Response& res, const Reply& reply) {
  res.status = reply.status;
  res.set_content(reply.body, reply.content_type.c_str());
}

}  // namespace service
