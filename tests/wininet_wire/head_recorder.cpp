#include "tests/wininet_wire/head_recorder.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace wininet_wire {
namespace {

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;
void close_socket(Socket s) {
  closesocket(s);
}
#else
using Socket = int;
constexpr Socket kNoSocket = -1;
void close_socket(Socket s) {
  close(s);
}
#endif

constexpr long kWaitSeconds = 10;
constexpr size_t kMaxRequestBytes = 1 << 20;
constexpr std::string_view kReply =
    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

class SocketOwner {
 public:
  explicit SocketOwner(Socket s = kNoSocket) : socket_(s) {}
  ~SocketOwner() {
    if (socket_ != kNoSocket) {
      close_socket(socket_);
    }
  }
  SocketOwner(const SocketOwner&) = delete;
  SocketOwner& operator=(const SocketOwner&) = delete;
  Socket get() const { return socket_; }

 private:
  Socket socket_;
};

bool wait_readable(Socket s) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval limit{kWaitSeconds, 0};
  return select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &limit) > 0;
}

// The value of the head's Content-Length line; 0 when there is none.
size_t announced_length(std::string_view head) {
  constexpr std::string_view kName = "\r\ncontent-length:";
  for (size_t at = 0; (at = head.find("\r\n", at)) != std::string_view::npos; at += 2) {
    const std::string_view candidate = head.substr(at, kName.size());
    bool same = candidate.size() == kName.size();
    for (size_t i = 0; same && i < kName.size(); ++i) {
      same = std::tolower(static_cast<unsigned char>(candidate[i])) == kName[i];
    }
    if (same) {
      return std::strtoul(std::string(head.substr(at + kName.size(), 20)).c_str(), nullptr, 10);
    }
  }
  return 0;
}

std::string read_request(Socket s) {
  std::string data;
  size_t wanted = std::string::npos;
  char chunk[4096];
  while (data.size() < wanted && data.size() < kMaxRequestBytes && wait_readable(s)) {
    const int n = recv(s, chunk, sizeof chunk, 0);
    if (n <= 0) {
      break;
    }
    data.append(chunk, static_cast<size_t>(n));
    const size_t end = data.find("\r\n\r\n");
    if (wanted == std::string::npos && end != std::string::npos) {
      wanted = end + 4 + announced_length(std::string_view(data).substr(0, end + 2));
    }
  }
  return data;
}

}  // namespace

struct HeadRecorder::Sockets {
#ifdef _WIN32
  struct WinsockUse {
    WinsockUse() {
      WSADATA data;
      if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        throw std::runtime_error("WSAStartup failed");
      }
    }
    ~WinsockUse() { WSACleanup(); }
  } winsock;
#endif
  SocketOwner listener{socket(AF_INET, SOCK_STREAM, 0)};
};

HeadRecorder::HeadRecorder() : sockets_(std::make_unique<Sockets>()) {
  const Socket listener = sockets_->listener.get();
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener == kNoSocket ||
      bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 1) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("the recorder cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

HeadRecorder::~HeadRecorder() {
  if (thread_.joinable()) {
    thread_.join();
  }
}

void HeadRecorder::serve() {
  const Socket listener = sockets_->listener.get();
  if (!wait_readable(listener)) {
    return;
  }
  const SocketOwner peer(accept(listener, nullptr, nullptr));
  if (peer.get() == kNoSocket) {
    return;
  }
  request_ = read_request(peer.get());
  send(peer.get(), kReply.data(), static_cast<int>(kReply.size()), 0);
}

std::string HeadRecorder::request() {
  if (thread_.joinable()) {
    thread_.join();
  }
  return request_;
}

std::vector<std::string> head_lines(const std::string& request) {
  const size_t end = request.find("\r\n\r\n");
  const std::string_view head = std::string_view(request).substr(0, end);
  std::vector<std::string> lines;
  for (size_t start = 0; start <= head.size();) {
    const size_t stop = std::min(head.find("\r\n", start), head.size());
    lines.emplace_back(head.substr(start, stop - start));
    start = stop + 2;
  }
  return lines;
}

std::string body_of(const std::string& request) {
  const size_t end = request.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : request.substr(end + 4);
}

}  // namespace wininet_wire
