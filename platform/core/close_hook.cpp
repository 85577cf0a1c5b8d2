#include "platform/core/close_hook.h"

#include <QTimer>
#include <cstdlib>
#include <string>

#include "platform/core/commands/command_table.h"
#include "platform/core/window/window_api.h"

namespace runtime {

namespace {

void close_start_window() {
  const abi::ArgRecord args[] = {{abi::kMainWindowId, abi::kWindowElementId, abi::kind::Window},
                                 {0, 0, abi::tag::Omitted}};
  core::call_core_command(abi::cmd::CloseWindow, 2, args);
}

}  // namespace

uint32_t load_start_window(uint32_t window_id) {
  const uint32_t result = core::window::load_start_window(window_id);
  if (const char* after = std::getenv("LYB_CLOSE_AFTER_MS")) {
    const int ms = std::atoi(after);
    if (ms > 0) {
      QTimer::singleShot(ms, &close_start_window);
    }
  }
  return result;
}

}  // namespace runtime
