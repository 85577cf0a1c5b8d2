// The service's port and its session cookie across restarts.
#include <ctime>
#include <string>

#include "service_fixture.h"

namespace service_test {
namespace {

std::int64_t now_seconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

TEST_F(ServiceTest, RestartsAtOnceOnTheSamePort) {
  // Connections the service closed linger in TIME_WAIT on its port.
  TestClient c = client();
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(c.get("/ip.php").status, 200);
  }
  const int port = port_;
  service_.reset();
  service::ServiceOptions options = default_options();
  options.port = port;
  start(options);
  EXPECT_EQ(port_, port);
  EXPECT_EQ(client().get("/ip.php").status, 200);
}

TEST_F(ServiceTest, ASecondServiceOnABusyPortSaysSo) {
  service::ServiceOptions options = default_options();
  options.port = port_;
  service::StandinService second(options);
  EXPECT_EQ(second.start(), -1);
  EXPECT_TRUE(contains(second.error(), "in use")) << second.error();
  EXPECT_EQ(client().get("/ip.php").status, 200);
}

TEST_F(ServiceTest, TheSessionCookieHasNoExpiryUnlessAsked) {
  EXPECT_FALSE(contains(client().get("/verifycode.php").header("Set-Cookie"), "expires"));
}

TEST_F(ServiceTest, TheSessionCookieCanBeGivenAnExpiry) {
  service::ServiceOptions options = default_options();
  options.cookie_max_age = 3600;
  start(options);
  const std::int64_t before = now_seconds();
  const std::string cookie = client().get("/verifycode.php").header("Set-Cookie");
  const std::int64_t after = now_seconds();

  const std::string marker = "; path=/; expires=";
  const size_t at = cookie.find(marker);
  ASSERT_NE(at, std::string::npos) << cookie;
  std::tm parsed{};
  const char* end =
      strptime(cookie.c_str() + at + marker.size(), "%a, %d %b %Y %H:%M:%S GMT", &parsed);
  ASSERT_NE(end, nullptr) << cookie;
  EXPECT_EQ(*end, '\0');
  const std::int64_t expires = timegm(&parsed);
  EXPECT_GE(expires, before + 3600);
  EXPECT_LE(expires, after + 3600);
}

}  // namespace
}  // namespace service_test
