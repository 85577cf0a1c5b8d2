#include "tests/client_service/scripted_server.h"

#include <chrono>

namespace client_test {

ScriptedServer::ScriptedServer() {
  const auto handler = [this](const httplib::Request& req, httplib::Response& res) {
    answer(req, res);
  };
  server_.Get(".*", handler);
  server_.Post(".*", handler);
  port_ = server_.bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  while (port_ > 0 && !server_.is_running()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

ScriptedServer::~ScriptedServer() {
  server_.stop();
  thread_.join();
}

void ScriptedServer::reply(const std::string& path, std::string body) {
  const std::lock_guard lock(mutex_);
  replies_[path] = std::move(body);
}

std::vector<SeenRequest> ScriptedServer::requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void ScriptedServer::answer(const httplib::Request& req, httplib::Response& res) {
  const std::lock_guard lock(mutex_);
  requests_.push_back({req.method, req.target, req.body});
  const auto found = replies_.find(req.path);
  if (found == replies_.end()) {
    res.status = 404;
    return;
  }
  res.set_content(found->second, "text/html");
}

}  // namespace client_test
