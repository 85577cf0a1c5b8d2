// An ordinary HTTP server for tests (cpp-httplib) on an ephemeral loopback
// port, recording what each request carried.
#pragma once

#include <httplib.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wininet_test {

struct SeenRequest {
  std::string method;
  std::string path;
  std::string body;
  httplib::Headers headers;

  std::string header(const std::string& name) const {
    const auto it = headers.find(name);
    return it == headers.end() ? std::string("<none>") : it->second;
  }
};

class HttpServer {
 public:
  explicit HttpServer(const std::function<void(httplib::Server&, HttpServer&)>& routes) {
    routes(server_, *this);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  ~HttpServer() {
    server_.stop();
    thread_.join();
  }
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  int port() const { return port_; }

  void record(const httplib::Request& request) {
    std::lock_guard guard(lock_);
    seen_.push_back(SeenRequest{request.method, request.path, request.body, request.headers});
  }
  std::vector<SeenRequest> seen() {
    std::lock_guard guard(lock_);
    return seen_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex lock_;
  std::vector<SeenRequest> seen_;
};

}  // namespace wininet_test
