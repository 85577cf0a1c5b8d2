// A loopback HTTP listener that takes one request, keeps its exact bytes and
// answers with a fixed short reply. Builds with Winsock and with POSIX
// sockets, so the same recorder watches Windows' WinINet under Wine and the
// Linux stand-in.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace wininet_wire {

class HeadRecorder {
 public:
  // Listens on 127.0.0.1 at an ephemeral port; throws std::runtime_error if
  // it cannot.
  HeadRecorder();
  ~HeadRecorder();
  HeadRecorder(const HeadRecorder&) = delete;
  HeadRecorder& operator=(const HeadRecorder&) = delete;

  int port() const { return port_; }

  // Waits for the one request (at most 10 s after it started listening) and
  // gives its bytes: the head up to the blank line and the announced body.
  // Empty when none came.
  std::string request();

 private:
  struct Sockets;
  void serve();

  std::unique_ptr<Sockets> sockets_;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

// The request's head without its final blank line, split at CR LF: the
// request line first, then one entry per header line.
std::vector<std::string> head_lines(const std::string& request);

// What follows the head's blank line.
std::string body_of(const std::string& request);

}  // namespace wininet_wire
