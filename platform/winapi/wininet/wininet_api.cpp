#include <algorithm>
#include <cstring>
#include <string>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/wininet/cookie_store.h"
#include "platform/winapi/wininet/handle_registry.h"
#include "platform/winapi/wininet/wininet.h"

namespace {

using namespace winapi::wininet;

constexpr DWORD INTERNET_FLAG_ASYNC = 0x10000000;

BOOL fail(DWORD error) {
  winapi::set_last_error(error);
  return 0;
}

HINTERNET fail_handle(DWORD error) {
  winapi::set_last_error(error);
  return nullptr;
}

std::string text_or_empty(LPCSTR text) {
  return text != nullptr ? text : "";
}

// Texts that end up inside a header line must not break it.
bool fits_in_header(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

bool is_server_name(std::string_view name) {
  return !name.empty() && fits_in_header(name) &&
         name.find_first_of(" /?#@\\") == std::string_view::npos;
}

// The live object of a handle of the wanted kind; sets the last error if not.
template <typename T>
std::shared_ptr<T> object_of(HINTERNET handle) {
  const auto object = internet_handles().find(handle);
  if (!object) {
    winapi::set_last_error(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (const auto* p = std::get_if<std::shared_ptr<T>>(&*object)) {
    return *p;
  }
  winapi::set_last_error(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  return nullptr;
}

std::string accept_header(LPCSTR* types) {
  std::string value;
  for (; types != nullptr && *types != nullptr; ++types) {
    if (**types != '\0') {
      value += (value.empty() ? "" : ", ") + std::string(*types);
    }
  }
  return value;
}

// Copies a text result the Windows way: the length without the terminator on
// success; too small a buffer gets the length needed with the terminator.
BOOL deliver_text(const std::string& text, LPVOID buffer, LPDWORD length) {
  if (buffer == nullptr || *length < text.size() + 1) {
    *length = static_cast<DWORD>(text.size() + 1);
    return fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  *length = static_cast<DWORD>(text.size());
  return 1;
}

}  // namespace

extern "C" HINTERNET InternetOpenA(LPCSTR agent, DWORD access_type, LPCSTR proxy,
                                   LPCSTR proxy_bypass, DWORD flags) {
  const bool known_type = access_type == INTERNET_OPEN_TYPE_PRECONFIG ||
                          access_type == INTERNET_OPEN_TYPE_DIRECT ||
                          access_type == INTERNET_OPEN_TYPE_PROXY || access_type == 4;
  if (!known_type || (flags & INTERNET_FLAG_ASYNC) != 0 || !fits_in_header(text_or_empty(agent)) ||
      (access_type == INTERNET_OPEN_TYPE_PROXY && (proxy == nullptr || *proxy == '\0'))) {
    return fail_handle(ERROR_INVALID_PARAMETER);
  }
  auto session = std::make_shared<Session>();
  session->agent = text_or_empty(agent);
  session->access_type = access_type;
  if (access_type == INTERNET_OPEN_TYPE_PROXY) {
    session->proxy = proxy;
    session->proxy_bypass = text_or_empty(proxy_bypass);
  }
  return internet_handles().add(std::shared_ptr<const Session>(std::move(session)), nullptr);
}

extern "C" HINTERNET InternetConnectA(HINTERNET internet, LPCSTR server, INTERNET_PORT port,
                                      LPCSTR /*user*/, LPCSTR /*password*/, DWORD service,
                                      DWORD /*flags*/, DWORD_PTR /*context*/) {
  auto session = object_of<const Session>(internet);
  if (!session) {
    return nullptr;
  }
  if (server == nullptr || !is_server_name(server) || service != INTERNET_SERVICE_HTTP) {
    return fail_handle(ERROR_INVALID_PARAMETER);
  }
  auto connection = std::make_shared<Connection>();
  connection->session = std::move(session);
  connection->host = server;
  connection->port = port;
  return internet_handles().add(std::shared_ptr<const Connection>(std::move(connection)), internet);
}

extern "C" HINTERNET HttpOpenRequestA(HINTERNET connection, LPCSTR verb, LPCSTR object,
                                      LPCSTR version, LPCSTR referrer, LPCSTR* accept_types,
                                      DWORD flags, DWORD_PTR /*context*/) {
  auto parent = object_of<const Connection>(connection);
  if (!parent) {
    return nullptr;
  }
  RequestSetup setup;
  setup.verb = verb != nullptr && *verb != '\0' ? verb : "GET";
  setup.object = object != nullptr && *object != '\0' ? object : "/";
  setup.http_1_0 = version != nullptr && std::strcmp(version, "HTTP/1.0") == 0;
  setup.referer = text_or_empty(referrer);
  setup.accept = accept_header(accept_types);
  setup.flags = flags;
  if (setup.verb.find_first_of(" \t") != std::string::npos || !fits_in_header(setup.verb) ||
      !fits_in_header(setup.object) || !fits_in_header(setup.referer) ||
      !fits_in_header(setup.accept)) {
    return fail_handle(ERROR_INVALID_PARAMETER);
  }
  return internet_handles().add(std::make_shared<HttpRequest>(std::move(parent), std::move(setup)),
                                connection);
}

extern "C" BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headers_length,
                                 LPVOID optional, DWORD optional_length) {
  auto http = object_of<HttpRequest>(request);
  if (!http) {
    return 0;
  }
  if (optional == nullptr && optional_length != 0) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  std::string_view header_text;
  if (headers != nullptr) {
    header_text = headers_length == ~DWORD{0} ? std::string_view(headers)
                                              : std::string_view(headers, headers_length);
  }
  const std::string_view body(static_cast<const char*>(optional), optional_length);
  const DWORD error = http->send(header_text, body);
  return error == ERROR_SUCCESS ? 1 : fail(error);
}

extern "C" BOOL InternetReadFile(HINTERNET request, LPVOID buffer, DWORD bytes_to_read,
                                 LPDWORD bytes_read) {
  if (bytes_read == nullptr || (buffer == nullptr && bytes_to_read != 0)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  *bytes_read = 0;
  auto http = object_of<HttpRequest>(request);
  if (!http) {
    return 0;
  }
  size_t got = 0;
  const DWORD error = http->read(std::span(static_cast<char*>(buffer), bytes_to_read), got);
  *bytes_read = static_cast<DWORD>(got);
  return error == ERROR_SUCCESS ? 1 : fail(error);
}

extern "C" BOOL HttpQueryInfoA(HINTERNET request, DWORD info_level, LPVOID buffer,
                               LPDWORD buffer_length, LPDWORD /*index*/) {
  auto http = object_of<HttpRequest>(request);
  if (!http) {
    return 0;
  }
  if (buffer_length == nullptr) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const ReplyHead* reply = http->reply();
  if (reply == nullptr) {
    return fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  }
  switch (info_level) {
    case HTTP_QUERY_RAW_HEADERS_CRLF:
      return deliver_text(reply->raw_text(), buffer, buffer_length);
    case HTTP_QUERY_STATUS_CODE:
      return deliver_text(std::to_string(reply->status), buffer, buffer_length);
    case HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER:
      if (buffer == nullptr || *buffer_length < sizeof(DWORD)) {
        *buffer_length = sizeof(DWORD);
        return fail(ERROR_INSUFFICIENT_BUFFER);
      }
      *static_cast<DWORD*>(buffer) = static_cast<DWORD>(reply->status);
      *buffer_length = sizeof(DWORD);
      return 1;
    default:
      return fail(ERROR_HTTP_INVALID_QUERY_REQUEST);
  }
}

extern "C" BOOL InternetCloseHandle(HINTERNET handle) {
  return internet_handles().close(handle) ? 1 : fail(ERROR_INVALID_HANDLE);
}

extern "C" BOOL InternetSetCookieA(LPCSTR url, LPCSTR cookie_name, LPCSTR cookie_data) {
  if (url == nullptr || cookie_data == nullptr) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const auto target = parse_http_url(url);
  if (!target) {
    return fail(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
  }
  std::string line = cookie_data;
  if (cookie_name != nullptr && *cookie_name != '\0') {
    line = std::string(cookie_name) + "=" + line;
  }
  const CookieOrigin origin{target->host, path_without_query(target->path)};
  return process_cookie_store().set(line, origin) ? fail(ERROR_INVALID_PARAMETER) : 1;
}
