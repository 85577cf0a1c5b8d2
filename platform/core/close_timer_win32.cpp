#include <windows.h>

#include "platform/core/close_timer.h"

namespace core {

namespace {

void (*g_action)() = nullptr;

// A thread timer (no window): the thread's message loop dispatches its
// WM_TIMER here. It fires once.
void CALLBACK on_timer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (auto action = g_action) {
    g_action = nullptr;
    action();
  }
}

}  // namespace

void run_after(int ms, void (*action)()) {
  g_action = action;
  SetTimer(nullptr, 0, static_cast<UINT>(ms), &on_timer);
}

}  // namespace core
