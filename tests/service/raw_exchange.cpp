#include "raw_exchange.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace service_test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

milliseconds since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

}  // namespace

int RawReply::status() const {
  if (!bytes.starts_with("HTTP/1.") || bytes.size() < 12) {
    return 0;
  }
  return std::atoi(bytes.substr(9, 3).c_str());
}

std::string RawReply::header(const std::string& name) const {
  const std::string wanted = lower(name) + ":";
  const size_t head_end = bytes.find("\r\n\r\n");
  size_t start = bytes.find("\r\n");
  while (start != std::string::npos && start < head_end) {
    start += 2;
    const size_t end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end - start);
    if (lower(line.substr(0, wanted.size())) == wanted) {
      const size_t value = line.find_first_not_of(' ', wanted.size());
      return value == std::string::npos ? std::string() : line.substr(value);
    }
    start = end;
  }
  return {};
}

std::string RawReply::body() const {
  const size_t blank = bytes.find("\r\n\r\n");
  return blank == std::string::npos ? std::string() : bytes.substr(blank + 4);
}

RawReply raw_exchange(int port, const std::string& request, milliseconds patience) {
  RawReply reply;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const auto start = Clock::now();
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 ||
      ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) !=
          static_cast<ssize_t>(request.size())) {
    reply.ending = Ending::Reset;
    if (fd >= 0) {
      ::close(fd);
    }
    return reply;
  }
  std::string chunk(256 * 1024, '\0');
  for (;;) {
    const milliseconds left = patience - since(start);
    pollfd p{fd, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
      reply.ending = Ending::TimedOut;
      break;
    }
    const ssize_t got = ::recv(fd, chunk.data(), chunk.size(), 0);
    if (got <= 0) {
      reply.ending = got == 0 ? Ending::Closed : Ending::Reset;
      break;
    }
    if (reply.reads++ == 0) {
      reply.first_byte_after = since(start);
    }
    reply.bytes.append(chunk.data(), static_cast<size_t>(got));
  }
  reply.ended_after = since(start);
  ::close(fd);
  return reply;
}

std::string raw_get(const std::string& target, const std::string& extra_headers) {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extra_headers + "\r\n";
}

}  // namespace service_test
