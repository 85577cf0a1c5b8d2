// Declared calls that wait on the network run on a worker thread while the
// calling thread, the GUI thread, keeps handling the window's events; the
// routine that made the call still gets its result only when it returns.
// Doing it here, above the DLL host, serves the stand-in and the system's own
// WinINet alike: a synchronous WinINet call blocks its thread and offers no
// way to hand control back while it waits.
#pragma once

#include <functional>

namespace binding {

// The window's side of waiting. Without hooks (no window) a call runs on the
// calling thread.
struct WaitHooks {
  std::function<void()> handle_events;  // the pending window events, once
  std::function<void(bool)> set_busy;   // true once a call waits past one interval, false
                                        // when the last such call ends
  std::function<bool()> ending;         // the program is ending
  std::function<void()> end_now;        // ends the program through its clean-up and does not
                                        // return: for a cancelled call that does not return
};

// Installs the hooks; empty hooks remove them.
void set_wait_hooks(WaitHooks hooks);

// Whether the program is ending: calls in flight have been cancelled and no
// new network call should start.
bool program_ending();

// Runs `call` on a worker thread (kept for the calls that follow) and handles
// the window's events at least every 10 ms until it returns. Once the program is ending, `cancel`
// runs on this thread (once for every call then in flight, nested ones included) to make the call
// return soon; this still waits for it, so nothing the call uses is released under it. A call
// still running 3 s after its cancel (a receive the system's WinINet does not give up) is left
// to the process's end: `end_now` runs here, so the frames the call writes to are never left.
void wait_for(const std::function<void()>& call, const std::function<void()>& cancel);

}  // namespace binding
