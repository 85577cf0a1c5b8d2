// kernel32's ANSI string helpers, process identity and exit, last error.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/kernel32/kernel32.h"

extern "C" {

// Windows answers a null argument with null instead of faulting.
LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) {
    return nullptr;
  }
  return std::strcat(lpString1, lpString2);
}

int lstrlenA(LPCSTR lpString) {
  return lpString == nullptr ? 0 : static_cast<int>(std::strlen(lpString));
}

void ExitProcess(UINT uExitCode) {
  std::fflush(nullptr);
  std::exit(static_cast<int>(uExitCode));
}

DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(::getpid());
}

DWORD GetLastError() {
  return winapi::last_error();
}

void SetLastError(DWORD dwErrCode) {
  winapi::set_last_error(dwErrCode);
}

}  // extern "C"
