// One connection through the fault gate: the request head is read first, so
// every fault comes after the client has sent its request.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>

#include "service/fault_gate.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHead = 64 * 1024;
// The service's own replies are small; a picture is a few KiB.
constexpr size_t kMaxRelayedReply = 16u << 20;
constexpr size_t kGarbageBytes = 512;
constexpr size_t kZeroChunk = 64 * 1024;

struct RequestHead {
  std::string bytes;  // as read: the head and whatever followed it
  size_t end = 0;     // just past the blank line
  std::string target;
};

std::optional<RequestHead> read_head(int fd, const StopFlag& stop) {
  RequestHead head;
  for (;;) {
    const size_t blank = head.bytes.find("\r\n\r\n");
    if (blank != std::string::npos) {
      head.end = blank + 4;
      const size_t first = head.bytes.find(' ');
      const size_t second = head.bytes.find(' ', first + 1);
      if (first == std::string::npos || second == std::string::npos || second > blank) {
        return std::nullopt;
      }
      head.target = head.bytes.substr(first + 1, second - first - 1);
      return head;
    }
    if (head.bytes.size() > kMaxHead || read_some(fd, head.bytes, stop) <= 0) {
      return std::nullopt;
    }
  }
}

std::string path_of(const std::string& target) {
  return target.substr(0, target.find('?'));
}

std::string plain_reply(std::string_view status, std::string_view headers, std::string_view body) {
  return "HTTP/1.1 " + std::string(status) + "\r\n" + std::string(headers) +
         "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
         std::string(body);
}

std::string redirect_reply() {
  return plain_reply("302 Found", std::string("Location: ") + kRedirectLoopPath + "\r\n", "");
}

std::string server_error_reply() {
  const Reply page = refusal_page("服务器内部错误。", 500);
  return plain_reply("500 Internal Server Error", "Content-Type: " + page.content_type + "\r\n",
                     page.body);
}

// The client's head with our peer line after the request line (and any peer
// line of the client's own left out), then the bytes that followed the head.
std::string relayed_request(const RequestHead& head, const std::string& peer) {
  const std::string peer_name = std::string(kPeerHeader) + ":";
  std::string out;
  size_t start = 0;
  bool first_line = true;
  while (start < head.end - 2) {
    const size_t line_end = head.bytes.find("\r\n", start) + 2;
    const std::string_view line(head.bytes.data() + start, line_end - start);
    const bool own_peer_line =
        line.size() >= peer_name.size() &&
        std::equal(peer_name.begin(), peer_name.end(), line.begin(),
                   [](char a, char b) { return std::tolower(a) == std::tolower(b); });
    if (!own_peer_line) {
      out += line;
    }
    if (first_line) {
      out += peer_name + " " + peer + "\r\n";
      first_line = false;
    }
    start = line_end;
  }
  out += "\r\n";
  out.append(head.bytes, head.end);
  return out;
}

// The server's whole reply to the relayed request; nullopt when it cannot be had.
std::optional<std::string> relay(int client, const RequestHead& head, int upstream_port,
                                 const StopFlag& stop) {
  const Socket upstream = connect_loopback(upstream_port);
  if (!upstream.valid() ||
      !write_all(upstream.fd(), relayed_request(head, peer_address(client)), stop)) {
    return std::nullopt;
  }
  std::string reply;
  bool client_open = true;
  auto last_progress = Clock::now();
  while (!stop && Clock::now() - last_progress < kStallLimit) {
    const short client_events = client_open ? POLLIN : 0;
    pollfd fds[2] = {{upstream.fd(), POLLIN, 0}, {client, client_events, 0}};
    if (::poll(fds, 2, 50) <= 0) {
      continue;
    }
    if (fds[1].revents != 0) {
      std::string more;
      client_open = read_some(client, more, stop) > 0 && write_all(upstream.fd(), more, stop);
      last_progress = Clock::now();
    }
    if (fds[0].revents != 0) {
      const long got = read_some(upstream.fd(), reply, stop);
      if (got == 0) {
        return reply;
      }
      if (got < 0 || reply.size() > kMaxRelayedReply) {
        return std::nullopt;
      }
      last_progress = Clock::now();
    }
  }
  return std::nullopt;
}

// The head as it came, announcing the whole body, and the first half of it.
std::string cut_reply(const std::string& reply) {
  const size_t blank = reply.find("\r\n\r\n");
  if (blank == std::string::npos) {
    return reply.substr(0, reply.size() / 2);
  }
  const size_t body = blank + 4;
  return reply.substr(0, body + (reply.size() - body) / 2);
}

std::string with_huge_header(const std::string& reply) {
  const size_t line_end = reply.find("\r\n");
  if (line_end == std::string::npos) {
    return reply;
  }
  std::string out = reply.substr(0, line_end + 2);
  out += "X-Standin-Filler: " + std::string(kHugeHeaderBytes, 'f') + "\r\n";
  out.append(reply, line_end + 2);
  return out;
}

void drip(int fd, std::string_view bytes, milliseconds pause, const StopFlag& stop) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if ((i > 0 && !pause_for(pause, stop)) || !write_all(fd, bytes.substr(i, 1), stop)) {
      return;
    }
  }
}

// Holds the connection without a word until the client leaves, the time is
// up or the gate stops.
void hang(int fd, milliseconds limit, const StopFlag& stop) {
  const auto deadline = Clock::now() + limit;
  std::string ignored;
  while (Clock::now() < deadline) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
    if (!wait_for(fd, POLLIN, left, stop)) {
      return;
    }
    ignored.clear();
    if (read_some(fd, ignored, stop) <= 0) {
      return;
    }
  }
}

void send_huge_body(int fd, const StopFlag& stop) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                           std::to_string(kHugeBodyBytes) + "\r\nConnection: close\r\n\r\n";
  if (!write_all(fd, head, stop)) {
    return;
  }
  const std::string zeros(kZeroChunk, '\0');
  for (size_t sent = 0; sent < kHugeBodyBytes; sent += zeros.size()) {
    if (!write_all(fd, zeros, stop)) {
      return;
    }
  }
}

// Bytes that cannot begin an HTTP reply: the first is never "H".
std::string garbage() {
  thread_local std::mt19937 rng{std::random_device{}()};
  std::string bytes(kGarbageBytes, '\0');
  for (char& b : bytes) {
    b = static_cast<char>(rng());
  }
  bytes[0] = static_cast<char>(0xFF);
  return bytes;
}

}  // namespace

void serve_connection(Socket client, FaultSchedule& schedule, int upstream_port,
                      const StopFlag& stop) {
  const int fd = client.fd();
  const auto head = read_head(fd, stop);
  if (!head) {
    return;
  }
  const int yes = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  if (path_of(head->target) == kRedirectLoopPath) {
    write_all(fd, redirect_reply(), stop);
    finish_writing(fd, stop);
    return;
  }
  // The test hooks always answer, so a test can still reach the service.
  const FaultPlan fault = head->target.starts_with("/_standin/") ? FaultPlan{} : schedule.take();
  switch (fault.mode) {
    case FaultMode::Hang:
      hang(fd, fault.time, stop);
      return;
    case FaultMode::Reset:
      reset_on_close(fd);
      return;
    case FaultMode::Garbage:
      write_all(fd, garbage(), stop);
      finish_writing(fd, stop);
      return;
    case FaultMode::ServerError:
      write_all(fd, server_error_reply(), stop);
      finish_writing(fd, stop);
      return;
    case FaultMode::RedirectLoop:
      write_all(fd, redirect_reply(), stop);
      finish_writing(fd, stop);
      return;
    case FaultMode::HugeBody:
      send_huge_body(fd, stop);
      finish_writing(fd, stop);
      return;
    case FaultMode::Delay:
      if (!pause_for(fault.time, stop)) {
        return;
      }
      break;
    default:
      break;
  }
  const auto reply = relay(fd, *head, upstream_port, stop);
  if (!reply) {
    return;
  }
  switch (fault.mode) {
    case FaultMode::Cut:
      write_all(fd, cut_reply(*reply), stop);
      break;
    case FaultMode::Drip:
      drip(fd, *reply, fault.time, stop);
      break;
    case FaultMode::HugeHeader:
      write_all(fd, with_huge_header(*reply), stop);
      break;
    default:
      write_all(fd, *reply, stop);
      break;
  }
  finish_writing(fd, stop);
}

}  // namespace service
