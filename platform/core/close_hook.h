// Test hook: with LYB_CLOSE_AFTER_MS set to a number of milliseconds, the
// start window is closed that long after it was shown, as the user's close
// would, so end-to-end tests can run the real program to its normal end.
// With 0 it is closed as soon as the message loop runs, right after the
// window's created event; the start-up benchmark measures that.
#pragma once

#include <cstdint>

namespace core {

// LoadStartWindow, arming the hook when the environment asks for it.
uint32_t load_start_window(uint32_t window_id);

}  // namespace core
