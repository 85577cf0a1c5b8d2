#include "tests/wininet/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace wininet_test {
namespace {

constexpr int kIoTimeoutMs = 5000;
constexpr int kIdleTimeoutMs = 500;
constexpr size_t kMaxRequestBytes = 4 << 20;

bool wait_readable(int fd, int timeout_ms) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, timeout_ms) > 0;
}

size_t content_length(std::string_view head) {
  for (size_t pos = 0; (pos = head.find('\n', pos)) != std::string_view::npos;) {
    ++pos;
    std::string name(head.substr(pos, 15));
    for (char& c : name) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (name == "content-length:") {
      return std::strtoul(std::string(head.substr(pos + 15, 20)).c_str(), nullptr, 10);
    }
  }
  return 0;
}

// Reads one request: the head up to the blank line, then its announced body.
std::string read_request(int fd) {
  std::string data;
  char chunk[4096];
  size_t wanted = std::string::npos;
  while (data.size() < wanted && data.size() < kMaxRequestBytes) {
    // A request that stops short (a TLS hello, say) ends after a short pause.
    if (!wait_readable(fd, data.empty() ? kIoTimeoutMs : kIdleTimeoutMs)) {
      break;
    }
    const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) {
      break;
    }
    data.append(chunk, static_cast<size_t>(n));
    if (const auto end = data.find("\r\n\r\n");
        wanted == std::string::npos && end != std::string::npos) {
      wanted = end + 4 + content_length(std::string_view(data).substr(0, end + 2));
    }
  }
  return data;
}

}  // namespace

bool Peer::send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void Peer::reset() {
  linger l{1, 0};
  setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

void Peer::stall(std::chrono::milliseconds limit) {
  std::unique_lock guard(server_.lock_);
  server_.stopped_cv_.wait_for(guard, limit, [this] { return server_.stopping_; });
}

RawServer::RawServer(Script script) : script_(std::move(script)) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    throw std::runtime_error("raw server: cannot listen on 127.0.0.1");
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { serve(); });
}

RawServer::~RawServer() {
  {
    std::lock_guard guard(lock_);
    stopping_ = true;
  }
  stopped_cv_.notify_all();
  shutdown(listener_, SHUT_RDWR);
  thread_.join();
  close(listener_);
}

std::vector<std::string> RawServer::requests() {
  std::lock_guard guard(lock_);
  return requests_;
}

void RawServer::serve() {
  for (int index = 0;; ++index) {
    while (!wait_readable(listener_, 50)) {
      std::lock_guard guard(lock_);
      if (stopping_) {
        return;
      }
    }
    const int fd = accept(listener_, nullptr, nullptr);
    if (fd < 0) {
      return;
    }
    handle(fd, index);
  }
}

void RawServer::handle(int fd, int index) {
  const std::string request = read_request(fd);
  {
    std::lock_guard guard(lock_);
    requests_.push_back(request);
  }
  Peer peer(fd, *this);
  script_(peer, request, index);
  close(fd);
}

std::string reply(std::string_view body, std::string_view extra_headers) {
  return "HTTP/1.1 200 OK\r\n" + std::string(extra_headers) +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

}  // namespace wininet_test
