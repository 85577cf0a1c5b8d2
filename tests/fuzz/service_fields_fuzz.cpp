// What the stand-in service reads from any client that reaches its port: form
// bodies, query strings and Cookie lines. The checks count and decode on
// their own, byte by byte.
#include <httplib.h>

#include <optional>
#include <string>
#include <string_view>

#include "service/form_fields.h"
#include "service/request_fields.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_targets.h"

namespace fuzz_targets {
namespace {

int hex_digit(char c) {
  const std::string_view digits = "0123456789abcdef";
  const size_t at = digits.find(static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// "+" is a blank, "%XX" a byte; nullopt for a "%" without two hex digits.
std::optional<std::string> decoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%') {
      if (i + 2 >= text.size() || hex_digit(text[i + 1]) < 0 || hex_digit(text[i + 2]) < 0) {
        return std::nullopt;
      }
      out += static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
      i += 2;
    } else {
      out += text[i] == '+' ? ' ' : text[i];
    }
  }
  return out;
}

void check_form(std::string_view text, const service::FormParse& parsed) {
  size_t fields = 0;
  bool well_formed = true;
  std::string last_name;
  std::string last_value;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('&', start), text.size());
    const std::string_view piece = text.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) {
      continue;
    }
    const size_t eq = piece.find('=');
    const auto name = decoded(piece.substr(0, eq));
    const auto value = decoded(eq == std::string_view::npos ? "" : piece.substr(eq + 1));
    well_formed = well_formed && name && value;
    if (name && value) {
      ++fields;
      last_name = *name;
      last_value = *value;
    }
  }
  require(parsed.ok() == well_formed, "a text is refused exactly when it holds a bad %-escape");
  if (!parsed.ok()) {
    require(parsed.fields.size() == 0, "a refused text gives no fields");
    return;
  }
  require(parsed.fields.size() == fields, "one field per non-empty piece");
  if (fields > 0) {
    const auto found = parsed.fields.get(last_name);
    require(found && *found == last_value, "the last field of a name wins");
  }
}

// The Cookie value of `name` has no blank at either end and no ";".
void check_cookie(std::string_view line, std::string_view name) {
  const std::string value = service::cookie_value(line, name);
  require(value.find(';') == std::string::npos, "a cookie value ends at ;");
  require(value.empty() || (value.front() != ' ' && value.back() != ' ' && value.front() != '\t' &&
                            value.back() != '\t'),
          "a cookie value is trimmed");
  require(value.empty() || line.find(value) != std::string_view::npos,
          "a cookie value comes from the line");
}

}  // namespace

// The input is a body or query string; its first line is also a cookie name
// looked up in the rest as a Cookie header.
int service_fields(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  check_form(text, service::parse_form(text));

  httplib::Request request;
  request.target = "/member.php?" + std::string(text);
  check_form(text, service::query_fields(request));

  const size_t newline = text.find('\n');
  const std::string_view name = text.substr(0, newline);
  const std::string_view line =
      newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
  check_cookie(line, name);
  check_cookie(line, service::kSessionCookie);
  // A header value is a C string to the server: it ends at a zero byte.
  const std::string_view header = line.substr(0, line.find('\0'));
  request.headers.emplace("Cookie", std::string(header));
  const std::string session = service::session_cookie(request);
  require(session == service::cookie_value(header, service::kSessionCookie),
          "the session is the Cookie line's lyb_session");
  return 0;
}

}  // namespace fuzz_targets
