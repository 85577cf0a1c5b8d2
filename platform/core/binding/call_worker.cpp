#include "platform/core/binding/call_worker.h"

namespace binding {

CallWorker::CallWorker() : thread_([this] { run(); }) {}

CallWorker::~CallWorker() {
  {
    std::unique_lock guard(lock_);
    changed_.wait(guard, [&] { return done_; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void CallWorker::start(const std::function<void()>& call) {
  {
    const std::lock_guard guard(lock_);
    call_ = &call;
    done_ = false;
  }
  changed_.notify_all();
}

bool CallWorker::finished(std::chrono::milliseconds limit) {
  std::unique_lock guard(lock_);
  return changed_.wait_for(guard, limit, [&] { return done_; });
}

void CallWorker::run() {
  std::unique_lock guard(lock_);
  for (;;) {
    changed_.wait(guard, [&] { return stopping_ || call_ != nullptr; });
    if (stopping_) {
      return;
    }
    const std::function<void()>* call = call_;
    guard.unlock();
    (*call)();
    guard.lock();
    call_ = nullptr;
    done_ = true;
    changed_.notify_all();
  }
}

CallWorkerPool::Lease::Lease(CallWorkerPool& pool) : pool_(pool) {
  if (pool_.idle_.empty()) {
    worker_ = std::make_unique<CallWorker>();
  } else {
    worker_ = std::move(pool_.idle_.back());
    pool_.idle_.pop_back();
  }
}

CallWorkerPool::Lease::~Lease() {
  pool_.idle_.push_back(std::move(worker_));
}

}  // namespace binding
