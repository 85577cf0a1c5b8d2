// kernel32 stand-ins: module loading, the program file's name, ANSI string
// helpers, process exit and the thread's last error.
//
// Paths travel as the file system's own bytes; `\` and `/` both separate and
// drive roots map to per-user directories (see platform/paths).
#pragma once

#include "platform/winapi/api.h"

extern "C" {

// Module 0 is the program file. A buffer that is too small gets the path cut
// to nSize - 1 bytes and terminated; the result is then nSize and the last
// error ERROR_INSUFFICIENT_BUFFER.
WINAPI_API DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
WINAPI_API LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2);
WINAPI_API int lstrlenA(LPCSTR lpString);

// Handles are the loader's own; a library loaded twice gives the same handle
// and needs two FreeLibrary calls. Unknown handles are refused, never used.
WINAPI_API HMODULE LoadLibraryA(LPCSTR lpLibFileName);
WINAPI_API FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
WINAPI_API BOOL FreeLibrary(HMODULE hLibModule);

[[noreturn]] WINAPI_API void ExitProcess(UINT uExitCode);
WINAPI_API DWORD GetCurrentProcessId();
WINAPI_API DWORD GetLastError();
WINAPI_API void SetLastError(DWORD dwErrCode);

}  // extern "C"
