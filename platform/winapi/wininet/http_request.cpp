#include "platform/winapi/wininet/http_request.h"

#include <charconv>
#include <cstdlib>

#include "platform/winapi/wininet/cookie_store.h"
#include "platform/winapi/wininet/wininet.h"

namespace winapi::wininet {
namespace {

constexpr int kMaxRedirects = 20;

bool is_followed_redirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307;
}

std::chrono::milliseconds receive_timeout() {
  // WININET_RECEIVE_TIMEOUT_MS shortens WinINet's 30 s, for tests.
  if (const char* text = std::getenv("WININET_RECEIVE_TIMEOUT_MS")) {
    long ms = 0;
    const auto end = text + std::char_traits<char>::length(text);
    const auto [ptr, ec] = std::from_chars(text, end, ms);
    if (ec == std::errc() && ptr == end && ms > 0) {
      return std::chrono::milliseconds(ms);
    }
  }
  return std::chrono::seconds(30);
}

// WININET_CONNECT_TO: libcurl CONNECT_TO entries ("host:port:addr:port"),
// separated by commas or blanks.
std::vector<std::string> connect_to_entries() {
  std::vector<std::string> entries;
  const char* text = std::getenv("WININET_CONNECT_TO");
  std::string_view rest = text != nullptr ? text : "";
  while (!rest.empty()) {
    const auto end = rest.find_first_of(", \t");
    if (end != 0) {
      entries.emplace_back(rest.substr(0, end));
    }
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return entries;
}

std::vector<std::string_view> list_entries(std::string_view text) {
  std::vector<std::string_view> entries;
  while (!text.empty()) {
    const auto end = text.find_first_of("; \t");
    if (end != 0) {
      entries.push_back(text.substr(0, end));
    }
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return entries;
}

bool matches_pattern(std::string_view pattern, std::string_view host) {
  if (pattern == "<local>") {
    return host.find('.') == std::string_view::npos;
  }
  if (pattern.starts_with('*')) {
    return host.ends_with(pattern.substr(1));
  }
  if (pattern.ends_with('*')) {
    return host.starts_with(pattern.substr(0, pattern.size() - 1));
  }
  return same_header_name(pattern, host);
}

}  // namespace

std::optional<std::string> proxy_for(const Session& session, const Target& target) {
  if (session.access_type == INTERNET_OPEN_TYPE_DIRECT) {
    return "";
  }
  if (session.access_type != INTERNET_OPEN_TYPE_PROXY) {
    return std::nullopt;
  }
  for (const auto pattern : list_entries(session.proxy_bypass)) {
    if (matches_pattern(pattern, target.host)) {
      return "";
    }
  }
  const std::string_view scheme = target.secure ? "https=" : "http=";
  std::string_view chosen;
  for (const auto entry : list_entries(session.proxy)) {
    if (entry.starts_with(scheme)) {
      chosen = entry.substr(scheme.size());
      break;
    }
    if (entry.find('=') == std::string_view::npos && chosen.empty()) {
      chosen = entry;
    }
  }
  if (chosen.empty()) {
    return "";
  }
  return chosen.find("://") == std::string_view::npos ? "http://" + std::string(chosen)
                                                      : std::string(chosen);
}

HttpRequest::HttpRequest(std::shared_ptr<const Connection> connection, RequestSetup setup)
    : connection_(std::move(connection)), setup_(std::move(setup)) {}

const ReplyHead* HttpRequest::reply() const {
  return transfer_ ? &transfer_->head() : nullptr;
}

Exchange HttpRequest::exchange_for(const Target& target, const std::string& verb,
                                   const HeaderLines& caller,
                                   const std::optional<std::string>& body, bool redirected) const {
  const Session& session = *connection_->session;
  OwnHeaders own;
  own.referer = setup_.referer;
  own.accept = setup_.accept;
  own.agent = session.agent;
  own.host = host_header(target);
  own.replace_host = redirected;
  if (body || (verb != "GET" && verb != "HEAD")) {
    own.content_length = body ? body->size() : 0;
  }
  own.keep_alive = (setup_.flags & INTERNET_FLAG_KEEP_CONNECTION) != 0;
  own.no_cache = (setup_.flags & INTERNET_FLAG_NO_CACHE_WRITE) != 0 && verb != "GET";
  own.pragma_no_cache = (setup_.flags & INTERNET_FLAG_PRAGMA_NOCACHE) != 0;
  if ((setup_.flags & INTERNET_FLAG_NO_COOKIES) == 0) {
    own.cookie = process_cookie_store().header_for(
        CookieOrigin{target.host, path_without_query(target.path)}, target.secure);
  }
  Exchange x;
  x.url = target_url(target);
  x.verb = verb;
  x.header_lines = wire_header_lines(caller, own);
  x.body = body;
  x.http_1_0 = setup_.http_1_0;
  x.proxy = proxy_for(session, target);
  x.connect_to = connect_to_entries();
  x.receive_timeout = receive_timeout();
  x.cancelled = cancelled_;
  return x;
}

void HttpRequest::store_cookies(const Target& target, const ReplyHead& head) const {
  if ((setup_.flags & INTERNET_FLAG_NO_COOKIES) != 0) {
    return;
  }
  const CookieOrigin origin{target.host, path_without_query(target.path)};
  for (const auto& line : head.values("Set-Cookie")) {
    // A refused cookie (wrong domain, malformed) is dropped, as WinINet does.
    process_cookie_store().set(line, origin);
  }
}

DWORD HttpRequest::send(std::string_view header_text, std::string_view body) {
  transfer_.reset();
  auto caller = split_header_text(header_text);
  if (!caller) {
    return ERROR_HTTP_INVALID_HEADER;
  }
  Target target;
  target.secure = (setup_.flags & INTERNET_FLAG_SECURE) != 0;
  target.host = connection_->host;
  target.port = connection_->port != 0 ? connection_->port : default_port(target.secure);
  target.path = setup_.object.starts_with('/') ? setup_.object : "/" + setup_.object;
  std::string verb = setup_.verb;
  std::optional<std::string> payload;
  if (!body.empty() || (verb != "GET" && verb != "HEAD")) {
    payload = std::string(body);
  }
  for (int hop = 0;; ++hop) {
    auto transfer =
        std::make_unique<Transfer>(exchange_for(target, verb, *caller, payload, hop > 0));
    if (const DWORD error = transfer->wait_for_head(); error != ERROR_SUCCESS) {
      return error;
    }
    const ReplyHead& head = transfer->head();
    store_cookies(target, head);
    const auto location = head.values("Location");
    const bool follow = hop < kMaxRedirects && is_followed_redirect(head.status) &&
                        !location.empty() && (setup_.flags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
    const auto next = follow ? resolve_location(target, location.front()) : std::nullopt;
    if (!next) {
      transfer_ = std::move(transfer);
      return ERROR_SUCCESS;
    }
    // The next hop carries no body; a verb other than GET and HEAD becomes GET except on 307.
    if (head.status != 307 && verb != "HEAD") {
      verb = "GET";
    }
    payload = verb == "GET" || verb == "HEAD" ? std::nullopt : std::optional<std::string>("");
    remove_header(*caller, "Content-Type");
    remove_header(*caller, "Content-Length");
    target = *next;
  }
}

DWORD HttpRequest::read(std::span<char> out, size_t& got) {
  got = 0;
  if (!transfer_) {
    return ERROR_INTERNET_INCORRECT_HANDLE_STATE;
  }
  return transfer_->read(out, got);
}

}  // namespace winapi::wininet
