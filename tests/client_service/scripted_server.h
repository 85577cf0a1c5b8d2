// A loopback HTTP server whose replies a test sets per path, for replies the
// stand-in service never gives (exact lengths, odd pages). It records every
// request's target and body.
#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace client_test {

struct SeenRequest {
  std::string method;
  std::string target;  // path and query as sent
  std::string body;
};

class ScriptedServer {
 public:
  ScriptedServer();
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  int port() const { return port_; }
  // The reply to requests on `path` (queries ignored); unset paths get 404.
  void reply(const std::string& path, std::string body);
  std::vector<SeenRequest> requests() const;

 private:
  void answer(const httplib::Request& req, httplib::Response& res);

  httplib::Server server_;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> replies_;
  std::vector<SeenRequest> requests_;
  std::thread thread_;
  int port_ = -1;
};

}  // namespace client_test
