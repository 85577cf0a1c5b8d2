// Runs the stand-in service in-process on an ephemeral loopback port, with
// its log and state in a private temporary folder, and drives the member
// flows the way the program does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "service/standin_service.h"
#include "test_client.h"

namespace service_test {

// Bodies exactly as the program builds them.
std::string voice_code_body(const std::string& mobile);
std::string registration_body(const std::string& mobile, const std::string& code);
std::string login_body(const std::string& member, const std::string& picture_code);
std::string call_body(const std::string& tel);
std::string balance_body();

// GBK bytes of a UTF-8 marker, as the replies carry it.
std::string gbk(const std::string& utf8);
bool contains(const std::string& haystack, const std::string& needle);

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class ServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { start(); }
  void TearDown() override { service_.reset(); }

  // (Re)starts the service, by default with default_options().
  void start(std::optional<service::ServiceOptions> options = std::nullopt);
  service::ServiceOptions default_options() const;

  TestClient client() const { return TestClient(port_); }
  std::string log_text() const;

  // The program's steps, each checked on the way.
  void register_member(TestClient& c, const std::string& mobile);
  void log_in(TestClient& c, const std::string& mobile);
  std::string claim_token(TestClient& c);
  HttpReply claim(TestClient& c);
  // Sets the service's clock so that it reads `seconds` since 1970.
  void set_time(std::int64_t seconds);

  TempFolder folder_;
  std::unique_ptr<service::StandinService> service_;
  int port_ = 0;
};

}  // namespace service_test
