// A loopback server over Winsock that takes each request and then keeps the
// client waiting: it answers after a set delay, or never (until it is
// destroyed). Its port has four digits, so it can stand in for the service's
// build-time port in the program's texts without moving them.
#pragma once

#include <winsock2.h>

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
  void serve(SOCKET connection);

  std::optional<std::chrono::milliseconds> answer_after_;
  std::string body_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<int> requests_{0};
  std::mutex lock_;
  std::condition_variable stopping_;
  bool stop_ = false;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

}  // namespace client_test
