// Windows data types as the stand-ins use them on a 64-bit Linux process.
// Handles are pointer-sized; DWORD stays 32 bits.
#pragma once

#include <cstdint>

#include "runtime/abi.h"

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using LCID = uint32_t;
using WCHAR = char16_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = char16_t*;
using LPCWSTR = const char16_t*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPDWORD = DWORD*;
using LPBOOL = BOOL*;
using LPARAM = intptr_t;
using DWORD_PTR = uintptr_t;
using HANDLE = void*;
using HWND = void*;
using HMODULE = void*;
using HKEY = void*;
using HINTERNET = void*;
using FARPROC = void (*)();
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;
using INTERNET_PORT = WORD;
// Called back by EnumWindows with Windows' callback convention.
using WNDENUMPROC = BOOL(ABI_STDCALL*)(HWND, LPARAM);

// Error codes reported through GetLastError and registry results.
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
