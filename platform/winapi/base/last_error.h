// The calling thread's last error, as GetLastError/SetLastError report it.
#pragma once

#include "platform/winapi/base/windows_types.h"

namespace winapi {
DWORD last_error();
void set_last_error(DWORD code);
}  // namespace winapi
