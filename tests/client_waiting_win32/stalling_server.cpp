#include "tests/client_waiting/stalling_server.h"

#include <ws2tcpip.h>

#include <gtest/gtest.h>

namespace client_test {
namespace {

// The first free port of these; others' servers may hold some of them.
constexpr int kFirstPort = 8601;
constexpr int kLastPort = 8999;

class WinsockUse {
 public:
  WinsockUse() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUse() { WSACleanup(); }
};

void use_winsock() {
  static WinsockUse use;
}

// Reads until the end of the request head; the body, if any, comes with it
// on loopback or is not needed.
void read_head(SOCKET connection) {
  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) {
      return;
    }
    head.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace

StallingServer::StallingServer(std::optional<std::chrono::milliseconds> answer_after,
                               std::string body)
    : answer_after_(answer_after), body_(std::move(body)) {
  use_winsock();
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  BOOL exclusive = TRUE;
  setsockopt(listener_, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
             sizeof exclusive);
  for (int port = kFirstPort; port <= kLastPort && port_ == 0; ++port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      port_ = port;
    }
  }
  if (port_ == 0 || listen(listener_, 8) != 0) {
    ADD_FAILURE() << "no free loopback port in " << kFirstPort << "-" << kLastPort;
    port_ = 0;
    return;
  }
  acceptor_ = std::thread([this] { accept_loop(); });
}

StallingServer::~StallingServer() {
  {
    const std::lock_guard guard(lock_);
    stop_ = true;
  }
  stopping_.notify_all();
  closesocket(listener_);  // ends the accept
  if (acceptor_.joinable()) {
    acceptor_.join();
  }
  for (std::thread& t : connections_) {
    t.join();
  }
}

void StallingServer::accept_loop() {
  for (;;) {
    const SOCKET connection = accept(listener_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) {
      return;
    }
    const std::lock_guard guard(lock_);
    if (stop_) {
      closesocket(connection);
      return;
    }
    connections_.emplace_back([this, connection] { serve(connection); });
  }
}

void StallingServer::serve(SOCKET connection) {
  read_head(connection);
  ++requests_;
  std::unique_lock guard(lock_);
  const bool stopped = answer_after_
                           ? stopping_.wait_for(guard, *answer_after_, [this] { return stop_; })
                           : (stopping_.wait(guard, [this] { return stop_; }), true);
  guard.unlock();
  if (!stopped) {
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                              std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                              body_;
    send(connection, reply.data(), static_cast<int>(reply.size()), 0);
  }
  shutdown(connection, SD_BOTH);
  closesocket(connection);
}

}  // namespace client_test
