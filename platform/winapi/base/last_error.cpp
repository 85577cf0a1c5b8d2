#include "platform/winapi/base/last_error.h"

namespace winapi {
namespace {
thread_local DWORD t_last_error = 0;
}

DWORD last_error() { return t_last_error; }
void set_last_error(DWORD code) { t_last_error = code; }
}  // namespace winapi
