// A thread that runs one call at a time, kept for the next call: a reply read
// in thousands of short calls must not start a thread for each of them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace binding {

class CallWorker {
 public:
  CallWorker();
  ~CallWorker();  // waits for a call under way, then ends the thread
  CallWorker(const CallWorker&) = delete;
  CallWorker& operator=(const CallWorker&) = delete;

  // Starts `call` on the thread; it must stay alive until finished() says so.
  void start(const std::function<void()>& call);
  // Waits up to `limit` for the call; true once it has returned.
  bool finished(std::chrono::milliseconds limit);

 private:
  void run();

  std::mutex lock_;
  std::condition_variable changed_;
  const std::function<void()>* call_ = nullptr;
  bool done_ = true;
  bool stopping_ = false;
  std::thread thread_;  // last: started once the state above exists
};

// Idle workers; a wait that finds none makes one. Nested waits (a handler
// that runs during another one's wait) each hold a worker of their own.
class CallWorkerPool {
 public:
  class Lease {
   public:
    explicit Lease(CallWorkerPool& pool);
    ~Lease();
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    CallWorker& operator*() const { return *worker_; }
    CallWorker* operator->() const { return worker_.get(); }

   private:
    CallWorkerPool& pool_;
    std::unique_ptr<CallWorker> worker_;
  };

  // Ends the idle workers' threads. Done before the program exits: on
  // Windows a DLL's statics are destroyed after the process's other threads
  // were killed, and joining a killed thread then never returns.
  void end_idle() { idle_.clear(); }

 private:
  std::vector<std::unique_ptr<CallWorker>> idle_;  // the GUI thread's alone
};

}  // namespace binding
