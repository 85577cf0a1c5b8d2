// One cookie: how a Set-Cookie line or InternetSetCookie's data becomes one,
// which requests it goes with, and its line in a Netscape cookie file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace winapi::wininet {

struct Cookie {
  std::string name;
  std::string value;
  std::string domain;  // lower case, no leading dot
  std::string path;
  std::optional<int64_t> expires;  // Unix seconds; none for a session cookie
  bool host_only = true;           // no domain attribute: only the host that set it
  bool secure = false;
  bool http_only = false;
};

// Where a cookie comes from or is sent to: the request's host and its path
// without the query.
struct CookieOrigin {
  std::string_view host;
  std::string_view path;
};

struct CookieParse {
  std::optional<Cookie> cookie;
  std::string error;  // why the line was refused, when there is no cookie
};

// Parses "name=value; attribute; ..." for the origin. The value ends at the
// first ';'. A domain attribute must suit the host; a missing path is the
// origin's path up to its last '/'. Never throws; any input gives a cookie or
// an error message.
CookieParse parse_cookie_line(std::string_view line, const CookieOrigin& origin);

bool is_expired(const Cookie& cookie, int64_t now);

// Whether the cookie goes with a request to this host and path.
bool cookie_matches(const Cookie& cookie, const CookieOrigin& request, bool secure_channel);

// The Netscape cookie file line (no newline) and its reading; a line that is
// a comment, blank or malformed reads as nullopt.
std::string to_netscape_line(const Cookie& cookie);
std::optional<Cookie> parse_netscape_line(std::string_view line);

}  // namespace winapi::wininet
