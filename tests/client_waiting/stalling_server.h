// A loopback server that takes a request and then keeps the client waiting:
// it answers after a set delay, or never (until it is destroyed).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace client_test {

class StallingServer {
 public:
  // nullopt: never answers.
  StallingServer(std::optional<std::chrono::milliseconds> answer_after, std::string body);
  ~StallingServer();
  StallingServer(const StallingServer&) = delete;
  StallingServer& operator=(const StallingServer&) = delete;

  int port() const { return port_; }
  int requests() const { return requests_; }

 private:
  void accept_loop();
  void serve(int fd);

  std::optional<std::chrono::milliseconds> answer_after_;
  std::string body_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<int> requests_{0};
  std::mutex lock_;
  std::condition_variable stopping_;
  bool stop_ = false;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

}  // namespace client_test
