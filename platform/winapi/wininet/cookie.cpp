#include "platform/winapi/wininet/cookie.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <vector>

namespace winapi::wininet {
namespace {

// A cookie larger than this is refused, as browsers do.
constexpr size_t kMaxCookieBytes = 4096;

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return out;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lower(a) == lower(b);
}

// Control characters would break the cookie header and the file's tab-separated lines.
bool has_control_character(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

// Host names as URLs carry them; anything else would not survive a cookie file line.
bool is_host_name(std::string_view host) {
  return !host.empty() && host.front() != '.' &&
         std::all_of(host.begin(), host.end(), [](unsigned char c) {
           return std::isalnum(c) || c == '.' || c == '-' || c == '_' || c == ':' || c == '[' ||
                  c == ']';
         });
}

bool is_ip_address(std::string_view host) {
  return host.find(':') != std::string_view::npos ||
         std::all_of(host.begin(), host.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

bool ends_with_label(std::string_view host, std::string_view domain) {
  return host.size() > domain.size() && host.ends_with(domain) &&
         host[host.size() - domain.size() - 1] == '.';
}

// A domain attribute suits the host if it is the host or a parent domain with
// at least two labels; an address suits only itself.
bool domain_suits_host(std::string_view domain, std::string_view host) {
  if (domain == host) {
    return true;
  }
  return !is_ip_address(host) && domain.find('.') != std::string_view::npos &&
         ends_with_label(host, domain);
}

std::string default_path(std::string_view request_path) {
  const auto slash = request_path.rfind('/');
  if (slash == std::string_view::npos) {
    return "/";
  }
  return std::string(request_path.substr(0, slash + 1));
}

std::optional<int64_t> parse_integer(std::string_view text) {
  int64_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) {
    return std::nullopt;
  }
  return value;
}

std::optional<int64_t> parse_http_date(std::string_view text) {
  const std::string date(text);
  const time_t t = curl_getdate(date.c_str(), nullptr);
  if (t == -1) {
    return std::nullopt;
  }
  return static_cast<int64_t>(t);
}

int64_t now_seconds() {
  return static_cast<int64_t>(time(nullptr));
}

struct Attributes {
  std::optional<int64_t> expires;
  std::optional<int64_t> max_age;
  std::optional<std::string> domain;
  std::optional<std::string> path;
  bool secure = false;
  bool http_only = false;
};

void apply_attribute(std::string_view part, Attributes& a) {
  const auto eq = part.find('=');
  const auto name = trim(part.substr(0, eq));
  const auto value = eq == std::string_view::npos ? std::string_view() : trim(part.substr(eq + 1));
  if (equals_ignoring_case(name, "expires")) {
    a.expires = parse_http_date(value);
  } else if (equals_ignoring_case(name, "max-age")) {
    a.max_age = parse_integer(value);
  } else if (equals_ignoring_case(name, "domain") && !value.empty()) {
    a.domain = lower(value.starts_with('.') ? value.substr(1) : value);
  } else if (equals_ignoring_case(name, "path")) {
    a.path = std::string(value);
  } else if (equals_ignoring_case(name, "secure")) {
    a.secure = true;
  } else if (equals_ignoring_case(name, "httponly")) {
    a.http_only = true;
  }
}

CookieParse refuse(std::string message) {
  return CookieParse{std::nullopt, std::move(message)};
}

}  // namespace

CookieParse parse_cookie_line(std::string_view line, const CookieOrigin& origin) {
  const auto semicolon = line.find(';');
  const auto pair = line.substr(0, semicolon);
  const auto eq = pair.find('=');
  if (eq == std::string_view::npos) {
    return refuse("cookie has no '=' between name and value");
  }
  Cookie c;
  c.name = std::string(trim(pair.substr(0, eq)));
  c.value = std::string(trim(pair.substr(eq + 1)));
  if (c.name.empty()) {
    return refuse("cookie has an empty name");
  }
  if (has_control_character(c.name) || has_control_character(c.value)) {
    return refuse("cookie '" + c.name + "' holds a control character");
  }
  if (c.name.size() + c.value.size() > kMaxCookieBytes) {
    return refuse("cookie '" + c.name + "' is larger than 4096 bytes");
  }
  Attributes a;
  for (auto rest = semicolon == std::string_view::npos ? std::string_view()
                                                       : line.substr(semicolon);
       !rest.empty();) {
    rest.remove_prefix(1);  // the ';'
    const auto next = rest.find(';');
    apply_attribute(rest.substr(0, next), a);
    rest = next == std::string_view::npos ? std::string_view() : rest.substr(next);
  }
  const std::string host = lower(origin.host);
  if (!is_host_name(host)) {
    return refuse("host '" + host + "' cannot hold cookies");
  }
  if (a.domain && !domain_suits_host(*a.domain, host)) {
    return refuse("domain '" + *a.domain + "' does not suit host '" + host + "'");
  }
  c.host_only = !a.domain;
  c.domain = a.domain ? *a.domain : host;
  const bool usable_path = a.path && a.path->starts_with('/') && !has_control_character(*a.path);
  c.path = usable_path ? *a.path : default_path(origin.path);
  if (a.max_age) {
    c.expires = *a.max_age <= 0 ? std::numeric_limits<int64_t>::min()
                                : now_seconds() + std::min<int64_t>(*a.max_age, int64_t{1} << 40);
  } else {
    c.expires = a.expires;
  }
  c.secure = a.secure;
  c.http_only = a.http_only;
  return CookieParse{std::move(c), {}};
}

bool is_expired(const Cookie& cookie, int64_t now) {
  return cookie.expires.has_value() && *cookie.expires <= now;
}

bool cookie_matches(const Cookie& cookie, const CookieOrigin& request, bool secure_channel) {
  if (cookie.secure && !secure_channel) {
    return false;
  }
  const std::string host = lower(request.host);
  if (host != cookie.domain && (cookie.host_only || !ends_with_label(host, cookie.domain))) {
    return false;
  }
  const auto& path = cookie.path;
  if (!request.path.starts_with(path)) {
    return false;
  }
  return request.path.size() == path.size() || path.ends_with('/') ||
         request.path[path.size()] == '/';
}

std::string to_netscape_line(const Cookie& c) {
  std::string line = c.http_only ? "#HttpOnly_" : "";
  line += c.host_only ? c.domain : "." + c.domain;
  line += c.host_only ? "\tFALSE\t" : "\tTRUE\t";
  line += c.path;
  line += c.secure ? "\tTRUE\t" : "\tFALSE\t";
  line += std::to_string(c.expires.value_or(0));
  line += "\t" + c.name + "\t" + c.value;
  return line;
}

std::optional<Cookie> parse_netscape_line(std::string_view line) {
  Cookie c;
  constexpr std::string_view kHttpOnly = "#HttpOnly_";
  if (line.starts_with(kHttpOnly)) {
    c.http_only = true;
    line.remove_prefix(kHttpOnly.size());
  } else if (line.starts_with('#')) {
    return std::nullopt;
  }
  if (line.ends_with('\r')) {
    line.remove_suffix(1);
  }
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const auto tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) {
      break;
    }
    start = tab + 1;
  }
  if (fields.size() != 7) {
    return std::nullopt;
  }
  const auto expires = parse_integer(fields[4]);
  std::string_view domain = fields[0];
  if (domain.starts_with('.')) {
    domain.remove_prefix(1);
  }
  if (!expires || *expires <= 0 || domain.empty() || !fields[2].starts_with('/') ||
      fields[5].empty() || has_control_character(fields[5]) || has_control_character(fields[6])) {
    return std::nullopt;
  }
  c.domain = lower(domain);
  c.host_only = fields[1] != "TRUE";
  c.path = std::string(fields[2]);
  c.secure = fields[3] == "TRUE";
  c.expires = *expires;
  c.name = std::string(fields[5]);
  c.value = std::string(fields[6]);
  return c;
}

}  // namespace winapi::wininet
