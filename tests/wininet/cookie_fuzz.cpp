#include "tests/wininet/cookie_fuzz.h"

#include <cstdlib>
#include <string_view>

#include "platform/winapi/wininet/cookie.h"

namespace {

using winapi::wininet::Cookie;

void require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

bool has_control_character(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      return true;
    }
  }
  return false;
}

}  // namespace

// Any bytes give a cookie that can go in a header and a file line, or an
// error message; a stored line reads back as the same cookie.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto newline = input.find('\n');
  const auto host = input.substr(0, newline);
  const auto line = newline == std::string_view::npos ? input : input.substr(newline + 1);
  const auto parsed = winapi::wininet::parse_cookie_line(line, {host, "/dir/page"});
  winapi::wininet::parse_netscape_line(input);
  if (!parsed.cookie) {
    require(!parsed.error.empty());
    return 0;
  }
  const Cookie& c = *parsed.cookie;
  require(!c.name.empty() && !has_control_character(c.name) && !has_control_character(c.value));
  require(c.path.starts_with('/') && !has_control_character(c.path));
  require(!c.domain.empty() && !c.domain.starts_with('#'));
  if (c.expires && *c.expires > 0) {
    const auto back = winapi::wininet::parse_netscape_line(winapi::wininet::to_netscape_line(c));
    require(back && back->name == c.name && back->value == c.value && back->path == c.path &&
            back->expires == c.expires);
  }
  return 0;
}
