// A loopback HTTP server on an ephemeral port that records each request's
// exact bytes and answers with whatever a test scripts, including replies no
// sound server would give. Bounded: it serves until stopped, and a scripted
// stall ends when the server stops.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace wininet_test {

class RawServer;

// One accepted connection, as a reply script sees it.
class Peer {
 public:
  Peer(int fd, RawServer& server) : fd_(fd), server_(server) {}
  bool send(std::string_view bytes);
  // Drops the connection with a TCP reset instead of an orderly close.
  void reset();
  // Waits up to `limit`, or less if the server stops.
  void stall(std::chrono::milliseconds limit);

 private:
  int fd_;
  RawServer& server_;
};

using Script = std::function<void(Peer& peer, const std::string& request, int index)>;

class RawServer {
 public:
  explicit RawServer(Script script);
  ~RawServer();
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  int port() const { return port_; }
  std::vector<std::string> requests();

 private:
  friend class Peer;
  void serve();
  void handle(int fd, int index);

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  std::mutex lock_;
  std::condition_variable stopped_cv_;
  bool stopping_ = false;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// "HTTP/1.1 200 OK" reply with a Content-Length and the body.
std::string reply(std::string_view body, std::string_view extra_headers = "");

}  // namespace wininet_test
