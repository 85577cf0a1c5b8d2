// The runtime's window runs on Win32 windows on Windows.
#include <memory>

#include "platform/core/window/backend.h"
#include "platform/core/window/win32/win32_backend.h"
#include "platform/core/window/window_api.h"

namespace core::window {

uint32_t load_start_window(uint32_t window_id) {
  return load_window(window_id, [] { return std::make_unique<Win32Backend>(); });
}

}  // namespace core::window
