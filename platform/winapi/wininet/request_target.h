// Where a request goes: scheme, host, port and path, and how a redirect's
// Location moves it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace winapi::wininet {

struct Target {
  bool secure = false;  // https
  std::string host;
  uint16_t port = 80;
  std::string path = "/";  // with the query
};

uint16_t default_port(bool secure);

// The Host header's value: the port only when it is not the scheme's default.
std::string host_header(const Target& target);

// The absolute URL; blanks, control bytes and bytes above 0x7F in the path
// are percent-escaped, everything else goes as the caller wrote it.
std::string target_url(const Target& target);

std::string_view path_without_query(std::string_view path);

// Parses an absolute http:// or https:// URL; nullopt for anything else.
std::optional<Target> parse_http_url(std::string_view url);

// The target of a Location header seen on a reply from `from`. nullopt when
// it cannot be parsed or changes the scheme: such a redirect is not followed.
std::optional<Target> resolve_location(const Target& from, std::string_view location);

}  // namespace winapi::wininet
