#include "tests/client_waiting/stalling_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace client_test {

StallingServer::StallingServer(std::optional<std::chrono::milliseconds> answer_after,
                               std::string body)
    : answer_after_(answer_after), body_(std::move(body)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
  ::listen(listener_, 16);
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { accept_loop(); });
}

StallingServer::~StallingServer() {
  {
    const std::lock_guard guard(lock_);
    stop_ = true;
  }
  stopping_.notify_all();
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  for (std::thread& t : connections_) {
    t.join();
  }
  ::close(listener_);
}

void StallingServer::accept_loop() {
  for (;;) {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      return;
    }
    const std::lock_guard guard(lock_);
    if (stop_) {
      ::close(fd);
      return;
    }
    connections_.emplace_back([this, fd] { serve(fd); });
  }
}

// Takes what the client sends (the request's first bytes are enough), then
// waits out the delay or the end of the server.
void StallingServer::serve(int fd) {
  char buffer[4096];
  if (::recv(fd, buffer, sizeof buffer, 0) > 0) {
    ++requests_;
  }
  std::unique_lock lock(lock_);
  const bool stopped = answer_after_
                           ? stopping_.wait_for(lock, *answer_after_, [this] { return stop_; })
                           : (stopping_.wait(lock, [this] { return stop_; }), true);
  lock.unlock();
  if (!stopped) {
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body_.size()) +
                              "\r\nConnection: close\r\n\r\n" + body_;
    ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
  }
  ::close(fd);
}

}  // namespace client_test
