// The member's journey through the real handlers against the in-process
// stand-in service: picture code, login, claim, balance and a call.
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <QWidget>
#include "service/standin_service.h"

#include "tests/client_service/client_fixture.h"
#include "tests/support/temp_dir.h"

namespace client_test {
namespace {

constexpr char kMember[] = "13800138000";

std::string login_body(const std::string& member, const std::string& code) {
  return "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=" + member + "&MemberPassword=" + member +
         "&ValidCode=" + code + "&Image2.x=73&Image2.y=14";
}

std::string drive_file(const char* name) {
  const std::filesystem::path p =
      std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "winapi" / "drive_c" / name;
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Journey : public ClientFixture {
 protected:
  void SetUp() override {
    ClientFixture::SetUp();
    start(service::LoginReply::Page);
  }
  void TearDown() override {
    service_.reset();
    ClientFixture::TearDown();
  }

  void start(service::LoginReply login_reply) {
    service_.reset();
    service::ServiceOptions options;
    options.login_reply = login_reply;
    const int port = start_standin(service_, options, folder_.path() / "service.log");
    ASSERT_GT(port, 0);
    hook_ = std::make_unique<httplib::Client>("127.0.0.1", port);
  }

  void register_member(const std::string& mobile) {
    const auto now = service_->clock().now();
    const auto code = service_->members().open_voice_code(mobile, now);
    ASSERT_TRUE(code.has_value());
    service_->members().register_member(mobile, *code, now);
    ASSERT_TRUE(service_->members().is_member(mobile));
  }

  // The picture code the service drew for the program's session.
  std::string picture_code() {
    const auto reply = hook_->Get("/_standin/picture-code", {{"Cookie", session_cookie()}});
    EXPECT_TRUE(reply && reply->status == 200);
    return reply ? reply->body : std::string();
  }

  // The whole login as a user does it: number, focus on the code box, the
  // code read off the picture, 登录.
  void log_in(const char* typed_number) {
    type_into("编辑框2", typed_number);
    focus("编辑框1");
    type_into("编辑框1", picture_code().c_str());
    click("按钮1");
  }

  int64_t minutes(const std::string& mobile) {
    const auto member = service_->members().member(mobile);
    return member ? member->minutes : -1;
  }

  size_t picture_requests() const {
    size_t n = 0;
    for (const auto& call : calls_of(program::Dll::HttpOpenRequestA)) {
      n += call.texts[1] == "/verifycode.php" ? 1 : 0;
    }
    return n;
  }

  std::string log_text() const {
    std::ifstream in(folder_.path() / "service.log");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  test_support::TempDir folder_;
  std::unique_ptr<service::StandinService> service_;
  std::unique_ptr<httplib::Client> hook_;
};

TEST_F(Journey, FocusOnTheCodeBoxShowsANewPictureEachTime) {
  focus("编辑框1");
  const std::string first = picture_bytes();
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ(first.substr(0, 2), "BM");
  EXPECT_EQ(first, drive_file("010.bmp"));
  EXPECT_EQ(drive_file("010.png").substr(1, 3), "PNG");

  focus("编辑框1");
  EXPECT_EQ(picture_requests(), 2u);
  EXPECT_EQ(picture_bytes(), drive_file("010.bmp")) << "the box shows the last picture";
  EXPECT_TRUE(messages.empty());
}

TEST_F(Journey, LoginSendsTheNumberTwiceAndTheCodeAsTyped) {
  register_member(kMember);
  type_into("编辑框2", kMember);
  focus("编辑框1");
  const std::string code = picture_code();
  type_into("编辑框1", code.c_str());
  click("按钮1");

  EXPECT_EQ(sent_bodies()[1], login_body(kMember, code));
  EXPECT_EQ(text_of("标签1"), "登录成功！！");
  EXPECT_EQ(text_of("标签5"), "用户号码：13800138000");
  EXPECT_TRUE(enabled("按钮2"));
  EXPECT_TRUE(enabled("按钮14"));
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(log_text().find("logged in 13800138000"), std::string::npos);
}

TEST_F(Journey, APictureCodeWithBlanksIsSentWithThem) {
  register_member(kMember);
  type_into("编辑框2", kMember);
  focus("编辑框1");
  const std::string code = picture_code();
  type_into("编辑框1", (" " + code + " ").c_str());
  click("按钮1");

  EXPECT_EQ(sent_bodies()[1], login_body(kMember, "%20" + code + "%20"));
  // The service compares the code exactly, so the login is refused.
  EXPECT_EQ(messages, (std::vector<std::string>{"登录失败！请确认注册了！或者验证码输入正确！！"}));
}

TEST_F(Journey, ARefusedLoginClearsBothBoxesAndFetchesANewPicture) {
  type_into("编辑框2", "13900000000");
  focus("编辑框1");
  type_into("编辑框1", picture_code().c_str());
  click("按钮1");

  EXPECT_EQ(messages, (std::vector<std::string>{"登录失败！请确认注册了！或者验证码输入正确！！"}));
  EXPECT_EQ(text_of("编辑框2"), "");
  EXPECT_EQ(text_of("编辑框1"), "");
  EXPECT_EQ(picture_requests(), 2u);
  EXPECT_EQ(picture_bytes(), drive_file("010.bmp"));
  EXPECT_EQ(text_of("标签1"), " 请输入验证码");
  EXPECT_FALSE(enabled("按钮2"));
}

TEST_F(Journey, ALaterRefusalKeepsTheLoginShown) {
  register_member(kMember);
  log_in(kMember);
  type_into("编辑框2", kMember);
  type_into("编辑框1", "0000x");
  click("按钮1");

  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(text_of("标签1"), "登录成功！！");
  EXPECT_EQ(text_of("标签5"), "用户号码：13800138000");
  EXPECT_TRUE(enabled("按钮2"));
}

TEST_F(Journey, ARedirectToTheMemberPageCountsAsSuccess) {
  start(service::LoginReply::Redirect);
  register_member(kMember);
  log_in(kMember);

  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(text_of("标签1"), "登录成功！！");
  EXPECT_TRUE(enabled("按钮2"));
}

TEST_F(Journey, ClaimFromTheMenuOnceAWeek) {
  register_member(kMember);
  log_in(kMember);
  const int64_t before = minutes(kMember);

  choose_menu_item("领取15分钟");
  EXPECT_EQ(minutes(kMember), before + 15);
  choose_menu_item("领取15分钟");
  EXPECT_EQ(minutes(kMember), before + 15);
  EXPECT_EQ(messages, (std::vector<std::string>{"领取成功！！！", "对不起！这周已经领取了！！！"}));
}

TEST_F(Journey, TheBalanceShownIsTheTimeBeforeThisClaim) {
  register_member(kMember);
  log_in(kMember);
  const int64_t before = minutes(kMember);

  click("按钮2");
  EXPECT_EQ(text_of("标签6"), "免费通话时间还剩： " + std::to_string(before) + "分钟");
  EXPECT_EQ(minutes(kMember), before + 15);
  click("按钮2");
  EXPECT_EQ(text_of("标签6"), "免费通话时间还剩： " + std::to_string(before + 15) + "分钟");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Journey, WithoutLoginTheClaimIsNotSentAndTheUserIsTold) {
  choose_menu_item("领取15分钟");
  EXPECT_EQ(messages, (std::vector<std::string>{"你还没有登录！！"}));
  for (const auto& call : calls_of(program::Dll::HttpOpenRequestA)) {
    EXPECT_EQ(call.texts[1].find("class=giving"), std::string::npos) << call.texts[1];
  }
}

TEST_F(Journey, WithoutLoginTheBalanceButtonSaysSoOnce) {
  const std::string caption = text_of("标签6");
  widget("按钮2")->setEnabled(true);
  click("按钮2");
  EXPECT_EQ(messages, (std::vector<std::string>{"你还没有登录！！"}));
  EXPECT_EQ(text_of("标签6"), caption);
}

TEST_F(Journey, ACallIsPlacedAndChargedToTheMember) {
  register_member(kMember);
  log_in(kMember);
  choose_menu_item("领取15分钟");
  type_into("拨打电话", "13900139000");
  click("按钮14");

  EXPECT_EQ(sent_bodies().back(), "action=sendfreecall&tel=13900139000&url=127.0.0.1&ip=127.0.0.1");
  EXPECT_EQ(messages, (std::vector<std::string>{"领取成功！！！",
                                                "呼叫成功！！正在处理！！请耐心等待5~60秒！"}));
  EXPECT_NE(log_text().find("calling 13800138000, then 13900139000"), std::string::npos);
}

TEST_F(Journey, NoServiceMeansAFailedCallAndAFailedLogin) {
  service_.reset();
  type_into("拨打电话", "13900139000");
  click("按钮14");
  type_into("编辑框2", kMember);
  click("按钮1");
  EXPECT_EQ(messages, (std::vector<std::string>{"呼叫失败！请重试！！",
                                                "登录失败！请确认注册了！或者验证码输入正确！！"}));
}

}  // namespace
}  // namespace client_test
