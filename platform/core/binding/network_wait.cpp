#include "platform/core/binding/network_wait.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace binding {
namespace {

constexpr auto kEventInterval = std::chrono::milliseconds(10);

// A call in flight; lives on the stack of the wait that made it.
struct InFlight {
  const std::function<void()>* cancel;
  bool cancelled = false;
};

struct State {
  WaitHooks hooks;
  std::vector<InFlight*> in_flight;  // GUI thread only; outermost first
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

// Registers a call in flight for its lifetime; the busy state follows the
// count of calls, however each of them ends.
class InFlightScope {
 public:
  explicit InFlightScope(InFlight& call) : call_(call) {
    State& s = state();
    s.in_flight.push_back(&call_);
    if (s.in_flight.size() == 1 && s.hooks.set_busy) {
      s.hooks.set_busy(true);
    }
  }
  ~InFlightScope() {
    State& s = state();
    s.in_flight.erase(std::find(s.in_flight.begin(), s.in_flight.end(), &call_));
    if (s.in_flight.empty() && s.hooks.set_busy) {
      s.hooks.set_busy(false);
    }
  }
  InFlightScope(const InFlightScope&) = delete;
  InFlightScope& operator=(const InFlightScope&) = delete;

 private:
  InFlight& call_;
};

struct Completion {
  std::mutex lock;
  std::condition_variable changed;
  bool done = false;
};

}  // namespace

void set_wait_hooks(WaitHooks hooks) {
  state().hooks = std::move(hooks);
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
  Completion completion;
  // Joined below before anything it refers to goes out of scope.
  std::thread worker([&] {
    call();
    const std::lock_guard guard(completion.lock);
    completion.done = true;
    completion.changed.notify_one();
  });
  for (;;) {
    {
      std::unique_lock lock(completion.lock);
      if (completion.changed.wait_for(lock, kEventInterval, [&] { return completion.done; })) {
        break;
      }
    }
    if (program_ending()) {
      cancel_all();
    }
    s.hooks.handle_events();
  }
  worker.join();
}

}  // namespace binding
