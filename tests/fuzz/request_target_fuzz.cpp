// Hostile URLs and Location values: what parses is a target the request can
// be sent to, and a redirect never changes the scheme.
#include <string>
#include <string_view>

#include "platform/winapi/wininet/request_target.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_targets.h"

namespace fuzz_targets {
namespace {

using winapi::wininet::Target;

bool has_upper_case(std::string_view s) {
  for (const char c : s) {
    if (c >= 'A' && c <= 'Z') {
      return true;
    }
  }
  return false;
}

// No blank or control byte that would end or split a request line; a host
// may hold 8-bit bytes, the path's are escaped.
bool is_one_token(std::string_view s) {
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F) {
      return false;
    }
  }
  return true;
}

bool has_8bit_byte(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return true;
    }
  }
  return false;
}

void check_target(const Target& t) {
  require(!t.host.empty() && !has_upper_case(t.host), "host is set and lower case");
  require(t.port != 0, "port is set");
  require(t.path.starts_with('/'), "path starts with /");
  const std::string url = winapi::wininet::target_url(t);
  require(is_one_token(url), "target URL holds no blank or control byte");
  require(!has_8bit_byte(url.substr(url.find('/', url.find("//") + 2))),
          "the path's 8-bit bytes are escaped");
  require(is_one_token(winapi::wininet::host_header(t)), "Host header holds no blank or control");
  const std::string_view bare = winapi::wininet::path_without_query(t.path);
  require(bare.find_first_of("?#") == std::string_view::npos, "path without query has no ? or #");
  const auto again = winapi::wininet::parse_http_url(url);
  require(again && again->secure == t.secure && again->host == t.host && again->port == t.port,
          "target URL reads back as the same scheme, host and port");
}

}  // namespace

// The first byte picks the page the Location came from; the rest is both an
// absolute URL and a Location value.
int request_target(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (const auto parsed = winapi::wininet::parse_http_url(text)) {
    check_target(*parsed);
  }
  Target from;
  from.secure = (data[0] & 1) != 0;
  from.host = "www.example.test";
  from.port = (data[0] & 2) != 0 ? 8600 : winapi::wininet::default_port(from.secure);
  from.path = "/dir/page.php?tel=1";
  if (const auto next = winapi::wininet::resolve_location(from, text)) {
    require(next->secure == from.secure, "a redirect keeps the scheme");
    check_target(*next);
  }
  return 0;
}

}  // namespace fuzz_targets
