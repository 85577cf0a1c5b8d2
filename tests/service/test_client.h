// A libcurl client for the service tests: one request per call, bounded in
// time, keeping the session cookie like the program's cookie store does.
#pragma once

#include <string>

namespace service_test {

struct HttpReply {
  long status = 0;
  std::string headers;
  std::string body;
  std::string header(const std::string& name) const;
};

class TestClient {
 public:
  explicit TestClient(int port) : port_(port) {}

  HttpReply get(const std::string& path);
  HttpReply post(const std::string& path, const std::string& body);
  HttpReply post_as(const std::string& path, const std::string& content_type,
                    const std::string& body);

  // The session cookie value, empty before the service gave one.
  const std::string& session() const { return session_; }
  void set_session(std::string id) { session_ = std::move(id); }

 private:
  HttpReply perform(const std::string& path, const std::string* body,
                    const std::string& content_type);

  int port_;
  std::string session_;
};

}  // namespace service_test
