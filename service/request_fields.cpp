#include "service/request_fields.h"

#include <httplib.h>

namespace service {
namespace {

std::string_view trim_blanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

constexpr std::string_view kMappedPrefix = "::ffff:";

}  // namespace

FormParse query_fields(const httplib::Request& req) {
  const size_t mark = req.target.find('?');
  if (mark == std::string::npos) {
    return {};
  }
  return parse_form(std::string_view(req.target).substr(mark + 1));
}

std::string cookie_value(std::string_view cookie_line, std::string_view name) {
  while (!cookie_line.empty()) {
    const size_t end = std::min(cookie_line.find(';'), cookie_line.size());
    const std::string_view pair = trim_blanks(cookie_line.substr(0, end));
    cookie_line.remove_prefix(std::min(end + 1, cookie_line.size()));
    const size_t eq = pair.find('=');
    if (eq != std::string_view::npos && trim_blanks(pair.substr(0, eq)) == name) {
      return std::string(trim_blanks(pair.substr(eq + 1)));
    }
  }
  return {};
}

std::string session_cookie(const httplib::Request& req) {
  const size_t count = req.get_header_value_count("Cookie");
  for (size_t i = 0; i < count; ++i) {
    std::string value = cookie_value(req.get_header_value("Cookie", i), kSessionCookie);
    if (!value.empty()) {
      return value;
    }
  }
  return {};
}

std::string session_cookie_header(const std::string& id) {
  return std::string(kSessionCookie) + "=" + id + "; path=/";
}

bool is_loopback(std::string_view address) {
  if (address.starts_with(kMappedPrefix)) {
    address.remove_prefix(kMappedPrefix.size());
  }
  return address.starts_with("127.") || address == "::1" || address == "localhost";
}

std::string caller_address(const httplib::Request& req) {
  std::string_view address = req.remote_addr;
  if (address.starts_with(kMappedPrefix) && address.find('.') != std::string_view::npos) {
    address.remove_prefix(kMappedPrefix.size());
  }
  return std::string(address);
}

}  // namespace service
