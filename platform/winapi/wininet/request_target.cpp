#include "platform/winapi/wininet/request_target.h"

#include <curl/curl.h>

#include <charconv>
#include <memory>

namespace winapi::wininet {
namespace {

struct UrlCloser {
  void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
using Url = std::unique_ptr<CURLU, UrlCloser>;

std::optional<std::string> url_part(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, flags) != CURLUE_OK) {
    return std::nullopt;
  }
  std::string result(text);
  curl_free(text);
  return result;
}

std::string lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return s;
}

// Reads a URL handle that holds an absolute URL into a target.
std::optional<Target> to_target(CURLU* url) {
  const auto scheme = url_part(url, CURLUPART_SCHEME);
  const auto host = url_part(url, CURLUPART_HOST);
  const auto port = url_part(url, CURLUPART_PORT, CURLU_DEFAULT_PORT);
  const auto path = url_part(url, CURLUPART_PATH);
  if (!scheme || !host || !port || !path || host->empty()) {
    return std::nullopt;
  }
  Target t;
  const std::string s = lower(*scheme);
  if (s != "http" && s != "https") {
    return std::nullopt;
  }
  t.secure = s == "https";
  t.host = lower(*host);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(port->data(), port->data() + port->size(), value);
  if (ec != std::errc() || end != port->data() + port->size() || value == 0 || value > 65535) {
    return std::nullopt;
  }
  t.port = static_cast<uint16_t>(value);
  t.path = path->empty() ? "/" : *path;
  if (const auto query = url_part(url, CURLUPART_QUERY)) {
    t.path += "?" + *query;
  }
  return t;
}

bool needs_escape(unsigned char c) {
  return c <= 0x20 || c >= 0x7F;
}

std::string bracketed(const std::string& host) {
  return host.find(':') != std::string::npos && !host.starts_with('[') ? "[" + host + "]" : host;
}

// A host given with %-escapes is kept decoded ("//%302/" gives "02"), and such
// a host may read differently once written into a URL again ("0.0.0.2"), or
// not at all: the Host line would name one host and the connection go to
// another. A target is taken only when its URL reads back as the same host.
std::optional<Target> stable(std::optional<Target> target) {
  if (!target) {
    return target;
  }
  Url again(curl_url());
  const std::string url = target_url(*target);
  if (!again || curl_url_set(again.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  const auto host = url_part(again.get(), CURLUPART_HOST);
  if (!host || lower(*host) != target->host) {
    return std::nullopt;
  }
  return target;
}

}  // namespace

uint16_t default_port(bool secure) {
  return secure ? 443 : 80;
}

std::string host_header(const Target& t) {
  std::string value = bracketed(t.host);
  if (t.port != default_port(t.secure)) {
    value += ":" + std::to_string(t.port);
  }
  return value;
}

std::string target_url(const Target& t) {
  std::string url = t.secure ? "https://" : "http://";
  url += bracketed(t.host) + ":" + std::to_string(t.port);
  if (!t.path.starts_with('/')) {
    url += '/';
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : t.path) {
    const auto c = static_cast<unsigned char>(ch);
    if (needs_escape(c)) {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0xF];
    } else {
      url += ch;
    }
  }
  return url;
}

std::string_view path_without_query(std::string_view path) {
  return path.substr(0, path.find_first_of("?#"));
}

std::optional<Target> parse_http_url(std::string_view text) {
  Url url(curl_url());
  const std::string absolute(text);
  if (!url || curl_url_set(url.get(), CURLUPART_URL, absolute.c_str(),
                           CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE) != CURLUE_OK) {
    return std::nullopt;
  }
  return stable(to_target(url.get()));
}

std::optional<Target> resolve_location(const Target& from, std::string_view location) {
  Url url(curl_url());
  const std::string base = target_url(from);
  const std::string next(location);
  if (!url || next.empty() ||
      curl_url_set(url.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_URL, next.c_str(),
                   CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE) != CURLUE_OK) {
    return std::nullopt;
  }
  auto target = stable(to_target(url.get()));
  if (!target || target->secure != from.secure) {
    return std::nullopt;
  }
  return target;
}

}  // namespace winapi::wininet
