#include "tests/wininet/wininet_client.h"

#include <cstdlib>
#include <vector>

#include "platform/winapi/base/last_error.h"

namespace wininet_test {

std::string routed_host(int port) {
  static int counter = 0;
  const std::string host = "t" + std::to_string(++counter) + ".test";
  const std::string mapping =
      host + ":" + std::to_string(port) + ":127.0.0.1:" + std::to_string(port);
  const char* current = std::getenv("WININET_CONNECT_TO");
  const std::string all =
      current != nullptr && *current != '\0' ? std::string(current) + "," + mapping : mapping;
  setenv("WININET_CONNECT_TO", all.c_str(), 1);
  return host;
}

Fetched fetch(const FetchArgs& args) {
  Fetched result;
  Handle internet(InternetOpenA(args.agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  Handle connection(InternetConnectA(internet.get(), args.host.c_str(),
                                     static_cast<INTERNET_PORT>(args.port), "", "",
                                     INTERNET_SERVICE_HTTP, 0, 0));
  Handle request(HttpOpenRequestA(connection.get(), args.verb.c_str(), args.path.c_str(),
                                  "HTTP/1.1", "", nullptr, args.flags, 0));
  if (!request) {
    result.send_error = winapi::last_error();
    return result;
  }
  result.sent = HttpSendRequestA(
                    request.get(), args.headers.c_str(), static_cast<DWORD>(args.headers.size()),
                    const_cast<char*>(args.body.data()), static_cast<DWORD>(args.body.size())) != 0;
  if (!result.sent) {
    result.send_error = winapi::last_error();
    return result;
  }
  std::vector<char> buffer(args.read_size);
  for (;;) {
    DWORD got = 0;
    if (!InternetReadFile(request.get(), buffer.data(), args.read_size, &got)) {
      result.read_ok = false;
      result.read_error = winapi::last_error();
      break;
    }
    if (got == 0) {
      break;
    }
    result.body.append(buffer.data(), got);
  }
  std::vector<char> raw(256 * 1024);
  DWORD length = static_cast<DWORD>(raw.size());
  if (HttpQueryInfoA(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, raw.data(), &length, nullptr)) {
    result.raw_headers.assign(raw.data(), length);
  }
  DWORD status_size = sizeof result.status;
  HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &result.status,
                 &status_size, nullptr);
  return result;
}

}  // namespace wininet_test
