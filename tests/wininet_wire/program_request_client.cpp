#include "tests/wininet_wire/program_request_client.h"

#ifdef _WIN32
#include <windows.h>
#include <wininet.h>
#else
#include "platform/winapi/base/last_error.h"
#include "platform/winapi/wininet/wininet.h"
#endif

#include <memory>

namespace wininet_wire {
namespace {

struct HandleCloser {
  void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

uint32_t last_error() {
#ifdef _WIN32
  return GetLastError();
#else
  return winapi::last_error();
#endif
}

}  // namespace

SendResult send_program_request(int port, const ProgramRequest& request, uint32_t flags) {
  SendResult result;
  const Handle internet(InternetOpenA(kProgramAgent, INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  const Handle connection(internet ? InternetConnectA(internet.get(), "127.0.0.1",
                                                      static_cast<INTERNET_PORT>(port), "", "",
                                                      INTERNET_SERVICE_HTTP, 0, 0)
                                   : nullptr);
  const Handle sent_request(connection ? HttpOpenRequestA(connection.get(), request.verb.c_str(),
                                                          request.path.c_str(), "HTTP/1.1", "",
                                                          nullptr, flags, 0)
                                       : nullptr);
  if (!sent_request) {
    result.error = last_error();
    return result;
  }
  std::string body = request.body;
  result.sent =
      HttpSendRequestA(sent_request.get(), request.headers.c_str(),
                       static_cast<DWORD>(request.headers.size()),
                       body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size())) != 0;
  if (!result.sent) {
    result.error = last_error();
    return result;
  }
  char chunk[512];
  DWORD count = 0;
  while (InternetReadFile(sent_request.get(), chunk, sizeof chunk, &count) && count > 0) {
    result.reply_body.append(chunk, count);
  }
  return result;
}

}  // namespace wininet_wire
