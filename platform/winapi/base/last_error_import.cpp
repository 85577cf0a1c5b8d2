// The last error of the libraries other than kernel32: the calling thread
// has one, kept by kernel32, so GetLastError sees what user32, advapi32 or
// wininet set.
#include "platform/winapi/base/last_error.h"
#include "platform/winapi/kernel32/kernel32.h"

namespace winapi {

DWORD last_error() {
  return GetLastError();
}

void set_last_error(DWORD code) {
  SetLastError(code);
}

}  // namespace winapi
