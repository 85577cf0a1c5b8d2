#include "tests/wine_journey/service_hooks.h"

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <string>

namespace wine_journey {
namespace {

struct InternetCloser {
  void operator()(HINTERNET h) const { InternetCloseHandle(h); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

// The body of a GET of `path` when the service answers 200; nullopt otherwise.
std::optional<std::string> get(const std::string& path, const std::string& headers) {
  const Internet session(
      InternetOpenA("wine_journey", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session) {
    return std::nullopt;
  }
  const Internet connection(InternetConnectA(session.get(), kServiceHost, kServicePort, nullptr,
                                             nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) {
    return std::nullopt;
  }
  const Internet request(HttpOpenRequestA(
      connection.get(), "GET", path.c_str(), nullptr, nullptr, nullptr,
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES, 0));
  if (!request || !HttpSendRequestA(request.get(), headers.c_str(),
                                    static_cast<DWORD>(headers.size()), nullptr, 0)) {
    return std::nullopt;
  }
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                      &size, nullptr) ||
      status != 200) {
    return std::nullopt;
  }
  std::string body;
  char buffer[512];
  DWORD read = 0;
  while (InternetReadFile(request.get(), buffer, sizeof buffer, &read) && read > 0) {
    body.append(buffer, read);
  }
  return body;
}

}  // namespace

std::optional<std::string> voice_code(const std::string& mobile) {
  return get("/_standin/voice-code?mobile=" + mobile, "");
}

std::optional<std::string> session_cookie() {
  const std::string url =
      "http://" + std::string(kServiceHost) + ":" + std::to_string(kServicePort) + "/";
  char cookie[1024] = {};
  DWORD size = sizeof cookie;
  if (!InternetGetCookieA(url.c_str(), nullptr, cookie, &size)) {
    return std::nullopt;
  }
  return std::string(cookie);
}

std::optional<std::string> picture_code(const std::string& cookie) {
  return get("/_standin/picture-code", "Cookie: " + cookie + "\r\n");
}

}  // namespace wine_journey
