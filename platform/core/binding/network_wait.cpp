#include "platform/core/binding/network_wait.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "platform/core/binding/call_worker.h"

namespace binding {
namespace {

constexpr auto kEventInterval = std::chrono::milliseconds(10);
constexpr auto kCancelGrace = std::chrono::seconds(3);

// A call in flight; lives on the stack of the wait that made it.
struct InFlight {
  const std::function<void()>* cancel;
  bool cancelled = false;
};

struct State {
  WaitHooks hooks;
  std::vector<InFlight*> in_flight;  // GUI thread only; outermost first
  int busy = 0;                      // calls that have waited past the first interval
  CallWorkerPool workers;
};

State& state() {
  static State s;
  return s;
}

void cancel_all() {
  for (InFlight* call : state().in_flight) {
    if (!call->cancelled) {
      call->cancelled = true;
      (*call->cancel)();
    }
  }
}

// Registers a call in flight for its lifetime, for cancelling.
class InFlightScope {
 public:
  explicit InFlightScope(InFlight& call) : call_(call) { state().in_flight.push_back(&call_); }
  ~InFlightScope() {
    auto& calls = state().in_flight;
    calls.erase(std::find(calls.begin(), calls.end(), &call_));
  }
  InFlightScope(const InFlightScope&) = delete;
  InFlightScope& operator=(const InFlightScope&) = delete;

 private:
  InFlight& call_;
};

// The busy state follows the count of calls that really wait, however each of
// them ends; a call that returns within the first interval (most reads of a
// reply) leaves the cursor alone, so it does not flicker.
class BusyScope {
 public:
  BusyScope() {
    State& s = state();
    if (s.busy++ == 0 && s.hooks.set_busy) {
      s.hooks.set_busy(true);
    }
  }
  ~BusyScope() {
    State& s = state();
    if (--s.busy == 0 && s.hooks.set_busy) {
      s.hooks.set_busy(false);
    }
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace

void set_wait_hooks(WaitHooks hooks) {
  State& s = state();
  s.hooks = std::move(hooks);
  if (!s.hooks.handle_events) {
    s.workers.end_idle();
  }
}

bool program_ending() {
  const WaitHooks& hooks = state().hooks;
  return hooks.ending && hooks.ending();
}

void wait_for(const std::function<void()>& call, const std::function<void()>& cancel) {
  State& s = state();
  if (!s.hooks.handle_events) {
    call();
    return;
  }
  InFlight in_flight{&cancel};
  const InFlightScope scope(in_flight);
  const CallWorkerPool::Lease worker(s.workers);
  worker->start(call);
  std::optional<BusyScope> busy;
  std::optional<std::chrono::steady_clock::time_point> ending_since;
  while (!worker->finished(kEventInterval)) {
    if (!busy) {
      busy.emplace();
    }
    if (program_ending()) {
      cancel_all();
      const auto now = std::chrono::steady_clock::now();
      if (!ending_since) {
        ending_since = now;
      } else if (now - *ending_since > kCancelGrace && s.hooks.end_now) {
        s.hooks.end_now();
      }
    }
    s.hooks.handle_events();
  }
}

}  // namespace binding
