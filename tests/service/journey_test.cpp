// The member's whole journey, as the program walks it, with both ways of
// answering a login.
#include <cstdint>
#include <string>

#include "service_fixture.h"

namespace service_test {
namespace {

using service::LoginReply;

std::uint32_t big_endian_u32(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) {
    v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
  }
  return v;
}

class JourneyTest : public ServiceTest, public ::testing::WithParamInterface<LoginReply> {
 protected:
  void SetUp() override {
    service::ServiceOptions options = default_options();
    options.login_reply = GetParam();
    start(options);
  }
};

TEST_P(JourneyTest, RegisterLogInClaimAndCall) {
  const std::string mobile = "13800138000";
  TestClient c = client();

  // Voice code: phoned, that is printed and logged.
  const HttpReply asked = c.post("/url.php?class=check", voice_code_body(mobile));
  EXPECT_EQ(asked.status, 200);
  const std::string voice = c.get("/_standin/voice-code?mobile=" + mobile).body;
  ASSERT_EQ(voice.size(), 4u);
  EXPECT_TRUE(contains(log_text(), "calling " + mobile + ": voice code " + voice + "\n"))
      << log_text();

  // Registration answers exactly "6".
  EXPECT_EQ(c.post("/url.php", registration_body(mobile, voice)).body, "6");

  // Picture code: a 58 x 28 PNG, and the session cookie with a path.
  const HttpReply picture = c.get("/verifycode.php");
  ASSERT_GE(picture.body.size(), 24u);
  EXPECT_EQ(picture.body.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(big_endian_u32(picture.body, 16), 58u);
  EXPECT_EQ(big_endian_u32(picture.body, 20), 28u);
  EXPECT_EQ(picture.header("Content-Type"), "image/png");
  EXPECT_TRUE(picture.header("Set-Cookie").ends_with("; path=/")) << picture.headers;
  ASSERT_FALSE(c.session().empty());

  // Login names the member page, by link or by redirect.
  const std::string picture_code = c.get("/_standin/picture-code").body;
  const HttpReply login = c.post("/validate.php", login_body(mobile, picture_code));
  if (GetParam() == LoginReply::Redirect) {
    EXPECT_EQ(login.status, 302);
    EXPECT_EQ(login.header("Location"), "/p.php");
  } else {
    EXPECT_EQ(login.status, 200);
    EXPECT_TRUE(contains(login.body, "p.php"));
  }

  // Member page carries the claim link; the claim adds 15 minutes once.
  const std::string token = claim_token(c);
  ASSERT_EQ(token.size(), 16u);
  EXPECT_TRUE(contains(c.get("/p.php").body, "giving&hash=" + token + "',"));
  const HttpReply first = claim(c);
  EXPECT_TRUE(contains(first.body, gbk("领取成功")));
  EXPECT_FALSE(contains(first.body, gbk("已经领过了")));
  EXPECT_TRUE(contains(claim(c).body, gbk("已经领过了")));
  EXPECT_EQ(c.post("/url.php", balance_body()).body, "15");

  // A call rings the member, then the number; it is charged one minute.
  const HttpReply call = c.post("/url.php", call_body("02088886666"));
  EXPECT_GT(call.body.size(), 100u);
  EXPECT_LT(call.body.size(), 160u);
  EXPECT_TRUE(contains(log_text(), "calling " + mobile + ", then 02088886666\n"));
  EXPECT_EQ(c.post("/url.php", balance_body()).body, "14");
}

INSTANTIATE_TEST_SUITE_P(LoginReplies, JourneyTest,
                         ::testing::Values(LoginReply::Page, LoginReply::Redirect),
                         [](const auto& info) {
                           return info.param == LoginReply::Page ? "Page" : "Redirect";
                         });

TEST_F(ServiceTest, SessionsAreKeptApart) {
  TestClient alice = client();
  TestClient bob = client();
  register_member(alice, "13900000001");
  register_member(bob, "13900000002");
  log_in(alice, "13900000001");

  // Bob's session knows nothing of Alice's login.
  ASSERT_TRUE(bob.get("/verifycode.php").status == 200);
  EXPECT_NE(alice.session(), bob.session());
  EXPECT_FALSE(contains(bob.get("/p.php").body, "giving&hash="));
  EXPECT_TRUE(contains(bob.post("/url.php", balance_body()).body, gbk("没有登陆")));

  // Alice's picture code does not log Bob in, and Alice's token does not
  // claim for Bob once he is logged in himself.
  alice.get("/verifycode.php");
  const std::string alice_code = alice.get("/_standin/picture-code").body;
  const std::string bob_code = bob.get("/_standin/picture-code").body;
  if (alice_code != bob_code) {
    EXPECT_FALSE(
        contains(bob.post("/validate.php", login_body("13900000002", alice_code)).body, "p.php"));
  }
  log_in(bob, "13900000002");
  const std::string alice_token = claim_token(alice);
  ASSERT_FALSE(alice_token.empty());
  bob.get("/p.php?class=giving&hash=" + alice_token);
  EXPECT_EQ(bob.post("/url.php", balance_body()).body, "0");
  EXPECT_EQ(alice.post("/url.php", balance_body()).body, "0");

  // Each member's claim lands on their own account.
  claim(alice);
  EXPECT_EQ(alice.post("/url.php", balance_body()).body, "15");
  EXPECT_EQ(bob.post("/url.php", balance_body()).body, "0");
}

TEST_F(ServiceTest, IpEchoNamesTheCaller) {
  TestClient c = client();
  const HttpReply reply = c.get("/ip.php");
  EXPECT_TRUE(contains(reply.body, "<h2>127.0.0.1</h2>")) << reply.body;
}

}  // namespace
}  // namespace service_test
