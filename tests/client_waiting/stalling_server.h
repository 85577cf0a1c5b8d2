// A loopback server that takes each request and then keeps the client
// waiting: it answers after a set delay, or never (until it is destroyed).
// Over POSIX sockets, or over Winsock in the Windows build, where its port
// has four digits so that it can stand in for the service's build-time port
// in the program's texts without moving them.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#endif

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
#ifdef _WIN32
  using Socket = SOCKET;
#else
  using Socket = int;
#endif
  void serve(Socket connection);

  std::optional<std::chrono::milliseconds> answer_after_;
  std::string body_;
#ifdef _WIN32
  Socket listener_ = INVALID_SOCKET;
#else
  Socket listener_ = -1;
#endif
  int port_ = 0;
  std::atomic<int> requests_{0};
  std::mutex lock_;
  std::condition_variable stopping_;
  bool stop_ = false;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

}  // namespace client_test
