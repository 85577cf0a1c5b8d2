#include "platform/core/close_hook.h"

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/core/close_timer.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/window/window_api.h"

namespace core {

namespace {

void close_start_window() {
  const abi::ArgRecord args[] = {{abi::kMainWindowId, abi::kWindowElementId, abi::kind::Window},
                                 {0, 0, abi::tag::Omitted}};
  core::call_core_command(abi::cmd::CloseWindow, 2, args);
}

// The hook's delay in milliseconds; nothing when unset or not a number.
std::optional<int> close_delay() {
  const char* text = std::getenv("LYB_CLOSE_AFTER_MS");
  if (text == nullptr) {
    return std::nullopt;
  }
  const std::string_view digits(text);
  int ms = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
  if (error != std::errc() || end != digits.data() + digits.size() || ms < 0) {
    return std::nullopt;
  }
  return ms;
}

}  // namespace

uint32_t load_start_window(uint32_t window_id) {
  const uint32_t result = core::window::load_start_window(window_id);
  // The created event has run by now, so 0 closes the window as soon as the
  // message loop starts.
  if (const auto ms = close_delay()) {
    run_after(*ms, &close_start_window);
  }
  return result;
}

}  // namespace core
