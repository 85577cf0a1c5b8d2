// kernel32's code-page functions: conversions between multi-byte code pages
// and UTF-16, and the Chinese script mapping of LCMapStringA.
#pragma once

#include "platform/winapi/base/windows_types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x1;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;

inline constexpr DWORD LCMAP_SIMPLIFIED_CHINESE = 0x02000000;
inline constexpr DWORD LCMAP_TRADITIONAL_CHINESE = 0x04000000;

inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;

extern "C" {
[[gnu::visibility("default")]] int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR source,
                                                       int source_bytes, LPWSTR target,
                                                       int target_units);
[[gnu::visibility("default")]] int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR source,
                                                       int source_units, LPSTR target,
                                                       int target_bytes, LPCSTR default_char,
                                                       LPBOOL used_default_char);
[[gnu::visibility("default")]] int LCMapStringA(LCID locale, DWORD map_flags, LPCSTR source,
                                                int source_bytes, LPSTR target, int target_bytes);
}
