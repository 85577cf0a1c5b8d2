// The WinINet functions the program calls, with Windows' names and argument
// lists, and the constants and error codes their callers see.
#pragma once

#include "platform/winapi/base/windows_types.h"

inline constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
inline constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
inline constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;

inline constexpr DWORD INTERNET_SERVICE_HTTP = 3;
inline constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0;

inline constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
inline constexpr DWORD INTERNET_FLAG_SECURE = 0x00800000;
inline constexpr DWORD INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
inline constexpr DWORD INTERNET_FLAG_NO_COOKIES = 0x00080000;
inline constexpr DWORD INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
inline constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
inline constexpr DWORD INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;

inline constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
inline constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;
inline constexpr DWORD HTTP_QUERY_FLAG_NUMBER = 0x20000000;

inline constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
inline constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
inline constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
inline constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
inline constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
inline constexpr DWORD ERROR_INTERNET_OPERATION_CANCELLED = 12017;
inline constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
inline constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
inline constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
inline constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
inline constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
inline constexpr DWORD ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157;
inline constexpr DWORD ERROR_INTERNET_INVALID_CA = 12045;
inline constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;
inline constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
inline constexpr DWORD ERROR_HTTP_INVALID_HEADER = 12153;
inline constexpr DWORD ERROR_HTTP_INVALID_QUERY_REQUEST = 12154;

extern "C" {
[[gnu::visibility("default")]] HINTERNET InternetOpenA(LPCSTR agent, DWORD access_type,
                                                       LPCSTR proxy, LPCSTR proxy_bypass,
                                                       DWORD flags);
[[gnu::visibility("default")]] HINTERNET InternetConnectA(HINTERNET internet, LPCSTR server,
                                                          INTERNET_PORT port, LPCSTR user,
                                                          LPCSTR password, DWORD service,
                                                          DWORD flags, DWORD_PTR context);
[[gnu::visibility("default")]] HINTERNET HttpOpenRequestA(HINTERNET connection, LPCSTR verb,
                                                          LPCSTR object, LPCSTR version,
                                                          LPCSTR referrer, LPCSTR* accept_types,
                                                          DWORD flags, DWORD_PTR context);
[[gnu::visibility("default")]] BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers,
                                                     DWORD headers_length, LPVOID optional,
                                                     DWORD optional_length);
[[gnu::visibility("default")]] BOOL InternetReadFile(HINTERNET request, LPVOID buffer,
                                                     DWORD bytes_to_read, LPDWORD bytes_read);
[[gnu::visibility("default")]] BOOL HttpQueryInfoA(HINTERNET request, DWORD info_level,
                                                   LPVOID buffer, LPDWORD buffer_length,
                                                   LPDWORD index);
[[gnu::visibility("default")]] BOOL InternetCloseHandle(HINTERNET handle);
[[gnu::visibility("default")]] BOOL InternetSetCookieA(LPCSTR url, LPCSTR cookie_name,
                                                       LPCSTR cookie_data);
}
