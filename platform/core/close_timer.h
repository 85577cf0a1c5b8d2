// A one-shot timer on the window's thread for the close hook: `action` runs
// from the message loop once `ms` milliseconds have passed. Each platform
// implements it with its own loop's timer (close_timer_qt.cpp,
// close_timer_win32.cpp).
#pragma once

namespace core {

void run_after(int ms, void (*action)());

}  // namespace core
