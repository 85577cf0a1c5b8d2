#include "platform/winapi/wininet/wininet_exports.h"

#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/wininet/wininet.h"

std::span<const winapi::DllExport> wininet_exports() {
  static const winapi::DllExport rows[] = {
      WINAPI_EXPORT(InternetOpenA),       WINAPI_EXPORT(InternetConnectA),
      WINAPI_EXPORT(HttpOpenRequestA),    WINAPI_EXPORT(HttpSendRequestA),
      WINAPI_EXPORT(InternetReadFile),    WINAPI_EXPORT(HttpQueryInfoA),
      WINAPI_EXPORT(InternetCloseHandle), WINAPI_EXPORT(InternetSetCookieA),
  };
  return rows;
}
