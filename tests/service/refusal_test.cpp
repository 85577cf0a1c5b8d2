// Every way a request is refused. The program reads refusals by markers and
// by length, so each refusal must say why, must not name the member page,
// and must fall outside the 101 to 159 bytes of a placed call.
#include <string>

#include "service_fixture.h"

namespace service_test {
namespace {

constexpr char kMember[] = "13700000000";

enum class Start { Anonymous, WithPicture, LoggedIn, StaleCookie };

struct RefusalRow {
  const char* name;
  Start start;
  const char* path;
  const char* body;  // nullptr: GET; "{code}" becomes the session's picture code
  const char* reason;
};

const RefusalRow kRows[] = {
    {"VoiceCodeBadMobile", Start::Anonymous, "/url.php?class=check",
     "action=taste&tel=10000000000&MemberMobile=138-0013", "手机号码格式不正确"},
    {"VoiceCodeEmptyMobile", Start::Anonymous, "/url.php?class=check",
     "action=taste&tel=10000000000&MemberMobile=", "手机号码格式不正确"},
    {"RegisterWithoutVoiceCode", Start::Anonymous, "/url.php",
     "class=check&action=one&tel=10000000000&MemberMobile=13700000001&VerifyCode=1234",
     "语音验证码错误"},
    {"RegisterEmptyCode", Start::Anonymous, "/url.php",
     "class=check&action=one&tel=10000000000&MemberMobile=13700000001&VerifyCode=",
     "语音验证码错误"},
    {"LoginWithoutSession", Start::Anonymous, "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=13700000000&MemberPassword=13700000000&"
     "ValidCode=1234&Image2.x=73&Image2.y=14",
     "验证码错误"},
    {"LoginWrongPictureCode", Start::WithPicture, "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=13700000000&MemberPassword=13700000000&"
     "ValidCode=abcd&Image2.x=73&Image2.y=14",
     "验证码错误"},
    {"LoginPictureCodeWithBlanks", Start::WithPicture, "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=13700000000&MemberPassword=13700000000&"
     "ValidCode=+{code}&Image2.x=73&Image2.y=14",
     "验证码错误"},
    {"LoginUnregistered", Start::WithPicture, "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=13700000009&MemberPassword=13700000009&"
     "ValidCode={code}&Image2.x=73&Image2.y=14",
     "用户不存在或密码错误"},
    {"LoginPasswordDiffers", Start::WithPicture, "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=13700000000&MemberPassword=13700000001&"
     "ValidCode={code}&Image2.x=73&Image2.y=14",
     "用户不存在或密码错误"},
    {"MemberPageNotLoggedIn", Start::WithPicture, "/p.php", nullptr, "还没有登录"},
    {"ClaimNotLoggedIn", Start::WithPicture, "/p.php?class=giving&hash=0123456789abcdef", nullptr,
     "还没有登录"},
    {"ClaimWrongToken", Start::LoggedIn, "/p.php?class=giving&hash=0123456789abcdef", nullptr,
     "领取链接无效"},
    {"ClaimEmptyToken", Start::LoggedIn, "/p.php?class=giving&hash=", nullptr, "领取链接无效"},
    {"BalanceNotLoggedIn", Start::WithPicture, "/url.php", "action=balance&url=h&ip=", "没有登陆"},
    {"BalanceStaleCookie", Start::StaleCookie, "/url.php", "action=balance&url=h&ip=", "没有登陆"},
    {"CallNotLoggedIn", Start::WithPicture, "/url.php",
     "action=sendfreecall&tel=10086&url=h&ip=", "没有登陆"},
    {"CallEmptyNumber", Start::LoggedIn, "/url.php",
     "action=sendfreecall&tel=&url=h&ip=", "被叫号码格式不正确"},
    {"CallNumberWithMarkup", Start::LoggedIn, "/url.php",
     "action=sendfreecall&tel=1008<b>6&url=h&ip=", "被叫号码格式不正确"},
    {"CallNoMinutes", Start::LoggedIn, "/url.php",
     "action=sendfreecall&tel=10086&url=h&ip=", "免费通话时间已用完"},
};

class RefusalTest : public ServiceTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, SaysWhyAndLooksLikeNoSuccess) {
  const RefusalRow& row = GetParam();
  TestClient setup = client();
  register_member(setup, kMember);
  TestClient c = client();
  if (row.start == Start::WithPicture) {
    c.get("/verifycode.php");
  } else if (row.start == Start::LoggedIn) {
    log_in(c, kMember);
  } else if (row.start == Start::StaleCookie) {
    c.set_session("0123456789abcdef0123456789abcdef");
  }
  std::string body = row.body ? row.body : "";
  if (const size_t at = body.find("{code}"); at != std::string::npos) {
    body.replace(at, 6, c.get("/_standin/picture-code").body);
  }
  const HttpReply reply = row.body ? c.post(row.path, body) : c.get(row.path);

  EXPECT_TRUE(contains(reply.body, gbk(row.reason))) << reply.body;
  EXPECT_FALSE(contains(reply.body, "p.php"));
  EXPECT_FALSE(contains(reply.body, gbk("已经领过了")));
  EXPECT_NE(reply.body, "6");
  EXPECT_TRUE(reply.body.size() <= 100 || reply.body.size() >= 160) << reply.body.size();
  EXPECT_EQ(log_text().find("calling " + std::string(kMember) + ","), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusalTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceTest, VoiceCodeLapsesAfterFiveMinutes) {
  TestClient c = client();
  c.post("/url.php?class=check", voice_code_body("13600000000"));
  const std::string code = c.get("/_standin/voice-code?mobile=13600000000").body;
  service_->clock().set_offset(5 * 60 + 1);
  EXPECT_EQ(c.get("/_standin/voice-code?mobile=13600000000").status, 404);
  EXPECT_NE(c.post("/url.php", registration_body("13600000000", code)).body, "6");
}

TEST_F(ServiceTest, VoiceCodeIsVoidAfterFiveWrongTries) {
  TestClient c = client();
  c.post("/url.php?class=check", voice_code_body("13600000001"));
  const std::string code = c.get("/_standin/voice-code?mobile=13600000001").body;
  const std::string wrong = code == "0000" ? "1111" : "0000";
  for (int i = 0; i < 5; ++i) {
    EXPECT_NE(c.post("/url.php", registration_body("13600000001", wrong)).body, "6");
  }
  EXPECT_NE(c.post("/url.php", registration_body("13600000001", code)).body, "6");
}

TEST_F(ServiceTest, NewVoiceCodeReplacesTheOpenOne) {
  TestClient c = client();
  c.post("/url.php?class=check", voice_code_body("13600000002"));
  const std::string first = c.get("/_standin/voice-code?mobile=13600000002").body;
  std::string second = first;
  for (int i = 0; i < 20 && second == first; ++i) {
    c.post("/url.php?class=check", voice_code_body("13600000002"));
    second = c.get("/_standin/voice-code?mobile=13600000002").body;
  }
  ASSERT_NE(first, second);
  EXPECT_NE(c.post("/url.php", registration_body("13600000002", first)).body, "6");
  EXPECT_EQ(c.post("/url.php", registration_body("13600000002", second)).body, "6");
}

TEST_F(ServiceTest, PictureCodeServesOneAttempt) {
  TestClient setup = client();
  register_member(setup, "13600000003");
  TestClient c = client();
  c.get("/verifycode.php");
  const std::string code = c.get("/_standin/picture-code").body;
  EXPECT_FALSE(contains(c.post("/validate.php", login_body("13600000009", code)).body, "p.php"));
  EXPECT_FALSE(contains(c.post("/validate.php", login_body("13600000003", code)).body, "p.php"));
  EXPECT_EQ(c.get("/_standin/picture-code").status, 404);
}

TEST_F(ServiceTest, RegisteringAgainKeepsTheMinutes) {
  TestClient c = client();
  register_member(c, "13600000004");
  log_in(c, "13600000004");
  claim(c);
  register_member(c, "13600000004");
  EXPECT_EQ(c.post("/url.php", balance_body()).body, "15");
}

TEST_F(ServiceTest, CallsStopWhenTheMinutesAreUsedUp) {
  TestClient c = client();
  register_member(c, "13600000005");
  log_in(c, "13600000005");
  claim(c);
  for (int i = 0; i < 15; ++i) {
    const size_t n = c.post("/url.php", call_body("10086")).body.size();
    EXPECT_TRUE(n > 100 && n < 160) << "call " << i << ": " << n << " bytes";
  }
  const size_t n = c.post("/url.php", call_body("10086")).body.size();
  EXPECT_TRUE(n <= 100 || n >= 160) << n;
  EXPECT_EQ(c.post("/url.php", balance_body()).body, "0");
}

}  // namespace
}  // namespace service_test
