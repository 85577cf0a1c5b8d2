#include "service/socket_io.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace service {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr milliseconds kStopCheck(50);

struct AddrInfoFree {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

}  // namespace

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

Socket::~Socket() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

bool wait_for(int fd, short events, milliseconds limit, const StopFlag& stop) {
  const auto deadline = Clock::now() + limit;
  while (!stop) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      return false;
    }
    pollfd p{fd, events, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min(left, kStopCheck).count()));
    if (ready > 0) {
      return true;
    }
    if (ready < 0 && errno != EINTR) {
      return false;
    }
  }
  return false;
}

bool pause_for(milliseconds time, const StopFlag& stop) {
  const auto deadline = Clock::now() + time;
  while (!stop) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      return true;
    }
    ::poll(nullptr, 0, static_cast<int>(std::min(left, kStopCheck).count()));
  }
  return false;
}

bool write_all(int fd, std::string_view data, const StopFlag& stop) {
  while (!data.empty()) {
    if (!wait_for(fd, POLLOUT, kStallLimit, stop)) {
      return false;
    }
    const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno != EINTR && errno != EAGAIN) {
      return false;
    }
    data.remove_prefix(static_cast<size_t>(std::max<ssize_t>(sent, 0)));
  }
  return true;
}

long read_some(int fd, std::string& into, const StopFlag& stop) {
  if (!wait_for(fd, POLLIN, kStallLimit, stop)) {
    return -1;
  }
  char chunk[16 * 1024];
  const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
  if (got > 0) {
    into.append(chunk, static_cast<size_t>(got));
  }
  return got;
}

Socket listen_on(const std::string& address, int port, int& bound_port, std::string& error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(address.c_str(), service.c_str(), &hints, &found) != 0) {
    error = "cannot resolve " + address;
    return {};
  }
  const std::unique_ptr<addrinfo, AddrInfoFree> list(found);
  Socket sock(::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol));
  const int yes = 1;
  if (!sock.valid() || ::setsockopt(sock.fd(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
      ::bind(sock.fd(), found->ai_addr, found->ai_addrlen) != 0 || ::listen(sock.fd(), 64) != 0) {
    error = "cannot listen on " + address + ":" + service + ": " + std::strerror(errno);
    return {};
  }
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  ::getsockname(sock.fd(), reinterpret_cast<sockaddr*>(&local), &length);
  bound_port =
      ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                        : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
  return sock;
}

Socket connect_loopback(int port) {
  Socket sock(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (!sock.valid() || ::connect(sock.fd(), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
    return {};
  }
  return sock;
}

std::string peer_address(int fd) {
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  char text[INET6_ADDRSTRLEN] = "";
  if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0) {
    const void* raw =
        peer.ss_family == AF_INET6
            ? static_cast<const void*>(&reinterpret_cast<sockaddr_in6*>(&peer)->sin6_addr)
            : static_cast<const void*>(&reinterpret_cast<sockaddr_in*>(&peer)->sin_addr);
    ::inet_ntop(peer.ss_family, raw, text, sizeof text);
  }
  return text;
}

void reset_on_close(int fd) {
  const linger abort_close{1, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort_close, sizeof abort_close);
}

void finish_writing(int fd, const StopFlag& stop) {
  ::shutdown(fd, SHUT_WR);
  const auto deadline = Clock::now() + std::chrono::seconds(1);
  while (Clock::now() < deadline && wait_for(fd, POLLIN, milliseconds(200), stop)) {
    char chunk[4096];
    if (::recv(fd, chunk, sizeof chunk, 0) <= 0) {
      return;
    }
  }
}

}  // namespace service
