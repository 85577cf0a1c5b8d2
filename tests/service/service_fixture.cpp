#include "service_fixture.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "service/reply_pages.h"

namespace service_test {

std::string voice_code_body(const std::string& mobile) {
  return "action=taste&tel=10000000000&MemberMobile=" + mobile;
}

std::string registration_body(const std::string& mobile, const std::string& code) {
  return "class=check&action=one&tel=10000000000&MemberMobile=" + mobile + "&VerifyCode=" + code;
}

std::string login_body(const std::string& member, const std::string& picture_code) {
  return "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=" + member + "&MemberPassword=" + member +
         "&ValidCode=" + picture_code + "&Image2.x=73&Image2.y=14";
}

std::string call_body(const std::string& tel) {
  return "action=sendfreecall&tel=" + tel + "&url=127.0.0.1&ip=127.0.0.1";
}

std::string balance_body() {
  return "action=balance&url=127.0.0.1&ip=127.0.0.1";
}

std::string gbk(const std::string& utf8) {
  return service::to_gbk(utf8);
}

bool contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("lyb-service-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

service::ServiceOptions ServiceTest::default_options() const {
  service::ServiceOptions options;
  options.port = 0;
  options.echo_events = false;
  options.log_file = folder_.path() / "service.log";
  return options;
}

void ServiceTest::start(std::optional<service::ServiceOptions> options) {
  service_.reset();
  service_ = std::make_unique<service::StandinService>(options.value_or(default_options()));
  ASSERT_EQ(service_->error(), "");
  port_ = service_->start();
  ASSERT_GT(port_, 0) << service_->error();
}

std::string ServiceTest::log_text() const {
  std::ifstream in(folder_.path() / "service.log");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void ServiceTest::register_member(TestClient& c, const std::string& mobile) {
  c.post("/url.php?class=check", voice_code_body(mobile));
  const HttpReply code = c.get("/_standin/voice-code?mobile=" + mobile);
  ASSERT_EQ(code.status, 200);
  ASSERT_EQ(c.post("/url.php", registration_body(mobile, code.body)).body, "6");
}

void ServiceTest::log_in(TestClient& c, const std::string& mobile) {
  ASSERT_EQ(c.get("/verifycode.php").status, 200);
  const HttpReply code = c.get("/_standin/picture-code");
  ASSERT_EQ(code.status, 200);
  const HttpReply reply = c.post("/validate.php", login_body(mobile, code.body));
  ASSERT_TRUE(contains(reply.body, "p.php") || reply.header("Location") == "/p.php");
}

std::string ServiceTest::claim_token(TestClient& c) {
  const std::string page = c.get("/p.php").body;
  const std::string marker = "giving&hash=";
  const size_t start = page.find(marker);
  if (start == std::string::npos) {
    return {};
  }
  const size_t end = page.find("',", start);
  return page.substr(start + marker.size(), end - start - marker.size());
}

HttpReply ServiceTest::claim(TestClient& c) {
  return c.get("/p.php?class=giving&hash=" + claim_token(c));
}

void ServiceTest::set_time(std::int64_t seconds) {
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  service_->clock().set_offset(seconds - now);
}

}  // namespace service_test
