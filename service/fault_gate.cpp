#include "service/fault_gate.h"

#include <poll.h>
#include <sys/socket.h>

namespace service {
namespace {

// More connections at once are turned away; each holds a thread.
constexpr size_t kMaxConnections = 64;

}  // namespace

FaultGate::FaultGate(FaultSchedule& schedule, int upstream_port)
    : schedule_(schedule), upstream_port_(upstream_port) {}

FaultGate::~FaultGate() {
  stop();
}

int FaultGate::start(const std::string& address, int port, std::string& error) {
  int bound = -1;
  listener_ = listen_on(address, port, bound, error);
  if (!listener_.valid()) {
    return -1;
  }
  acceptor_ = std::thread([this] { accept_loop(); });
  return bound;
}

void FaultGate::stop() {
  stopping_ = true;
  if (acceptor_.joinable()) {
    acceptor_.join();
  }
  const std::lock_guard lock(workers_mutex_);
  for (const auto& worker : workers_) {
    worker->thread.join();
  }
  workers_.clear();
}

void FaultGate::accept_loop() {
  while (!stopping_) {
    if (!wait_for(listener_.fd(), POLLIN, std::chrono::seconds(1), stopping_)) {
      continue;
    }
    Socket client(::accept4(listener_.fd(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!client.valid()) {
      continue;
    }
    reap_finished();
    const std::lock_guard lock(workers_mutex_);
    if (workers_.size() >= kMaxConnections) {
      continue;  // closing it tells the client to come back later
    }
    auto worker = std::make_unique<Worker>();
    Worker& w = *worker;
    w.thread = std::thread([this, &w, c = std::move(client)]() mutable {
      serve_connection(std::move(c), schedule_, upstream_port_, stopping_);
      w.done = true;
    });
    workers_.push_back(std::move(worker));
  }
}

void FaultGate::reap_finished() {
  const std::lock_guard lock(workers_mutex_);
  for (auto it = workers_.begin(); it != workers_.end();) {
    if ((*it)->done) {
      (*it)->thread.join();
      it = workers_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace service
