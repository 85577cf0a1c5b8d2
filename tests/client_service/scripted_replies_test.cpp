// Replies the stand-in never gives, from a scripted loopback server: exact
// reply lengths, odd IP pages and member pages, a balance that says "not
// logged in" beside a valid claim token.
#include <string>
#include <vector>

#include <QWidget>

#include "tests/client_service/client_fixture.h"
#include "tests/client_service/scripted_server.h"

namespace client_test {
namespace {

class Scripted : public ClientFixture {
 protected:
  void SetUp() override {
    ClientFixture::SetUp();
    route_service_to(server_.port());
  }

  std::vector<std::string> targets() const {
    std::vector<std::string> seen;
    for (const SeenRequest& r : server_.requests()) {
      seen.push_back(r.method + " " + r.target);
    }
    return seen;
  }

  ScriptedServer server_;
};

struct LengthRow {
  size_t length;
  const char* message;
};

class CallReplyLength : public Scripted, public ::testing::WithParamInterface<LengthRow> {};

TEST_P(CallReplyLength, DecidesTheMessageAlone) {
  server_.reply("/ip.php", "<h2>10.1.2.3</h2>");
  server_.reply("/url.php", std::string(GetParam().length, 'x'));
  type_into("拨打电话", "13900139000");
  click("按钮14");
  EXPECT_EQ(messages, (std::vector<std::string>{GetParam().message}));
  EXPECT_EQ(sent_bodies().back(), "action=sendfreecall&tel=13900139000&url=127.0.0.1&ip=10.1.2.3");
}

constexpr char kPlaced[] = "呼叫成功！！正在处理！！请耐心等待5~60秒！";
constexpr char kFailed[] = "呼叫失败！请重试！！";

INSTANTIATE_TEST_SUITE_P(Bounds, CallReplyLength,
                         ::testing::Values(LengthRow{0, kFailed}, LengthRow{100, kFailed},
                                           LengthRow{101, kPlaced}, LengthRow{159, kPlaced},
                                           LengthRow{160, kFailed}),
                         [](const auto& info) { return std::to_string(info.param.length); });

struct IpPageRow {
  const char* name;
  const char* page;  // nullptr: the page is missing (404)
  const char* body_end;
};

class IpPage : public Scripted, public ::testing::WithParamInterface<IpPageRow> {};

TEST_P(IpPage, GivesTheAddressSentWithTheCall) {
  if (GetParam().page != nullptr) {
    server_.reply("/ip.php", GetParam().page);
  }
  server_.reply("/url.php", std::string(120, 'x'));
  type_into("拨打电话", "");
  click("按钮14");
  const std::string body = sent_bodies().back();
  EXPECT_EQ(body, std::string("action=sendfreecall&tel=&url=127.0.0.1") + GetParam().body_end);
  EXPECT_EQ(messages, (std::vector<std::string>{kPlaced}));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, IpPage,
    ::testing::Values(IpPageRow{"Empty", "", "&ip="}, IpPageRow{"Missing", nullptr, "&ip="},
                      IpPageRow{"CloseBeforeOpen", "</h2><h2>1.2.3.4</h2>", "&ip=1.2.3.4"},
                      IpPageRow{"NoClose", "<h2>1.2.3.4", "&ip="},
                      IpPageRow{"TwoHeadings", "<h2>5.6.7.8</h2><h2>9.9.9.9</h2>", "&ip=5.6.7.8"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MemberPageRow {
  const char* name;
  const char* page;
  const char* claim_target;  // nullptr: no claim may be sent
  const char* message;
};

class MemberPage : public Scripted, public ::testing::WithParamInterface<MemberPageRow> {};

TEST_P(MemberPage, GivesTheClaimToken) {
  server_.reply("/p.php", GetParam().page);
  choose_menu_item("领取15分钟");
  std::vector<std::string> expected = {"GET /p.php"};
  if (GetParam().claim_target != nullptr) {
    expected.push_back(std::string("GET ") + GetParam().claim_target);
  }
  EXPECT_EQ(targets(), expected);
  EXPECT_EQ(messages, (std::vector<std::string>{GetParam().message}));
}

constexpr char kClaimed[] = "领取成功！！！";
constexpr char kCheckNetwork[] = "请检查你的网络是否正常！！！！";
constexpr char kNotLoggedIn[] = "你还没有登录！！";

INSTANTIATE_TEST_SUITE_P(
    Pages, MemberPage,
    ::testing::Values(MemberPageRow{"TokenThenQuoteComma",
                                    "a('p.php?class=giving&hash=abc123','x')",
                                    "/p.php?class=giving&hash=abc123", kClaimed},
                      MemberPageRow{"TwoMarkers", "giving&hash=first',1 giving&hash=second',2",
                                    "/p.php?class=giving&hash=first", kClaimed},
                      MemberPageRow{"NoQuoteComma", "giving&hash=tail-token",
                                    "/p.php?class=giving&hash=tail-token", kClaimed},
                      MemberPageRow{"UpToTheNextMarker", "giving&hash=onegiving&hash=two',",
                                    "/p.php?class=giving&hash=one", kClaimed},
                      MemberPageRow{"NoMarker", "<p>please log in</p>", nullptr, kNotLoggedIn},
                      MemberPageRow{"MarkerAtTheEnd", "<p>giving&hash=", nullptr, kNotLoggedIn},
                      MemberPageRow{"EmptyToken", "giving&hash=',x", nullptr, kNotLoggedIn},
                      MemberPageRow{"EmptyPage", "", nullptr, kCheckNetwork}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Scripted, AClaimAnsweredAsAlreadyClaimedIsRefused) {
  server_.reply("/p.php", gbk("<p>您本周已经领过了 giving&hash=t1',</p>"));
  choose_menu_item("领取15分钟");
  EXPECT_EQ(messages, (std::vector<std::string>{"对不起！这周已经领取了！！！"}));
}

TEST_F(Scripted, TheClaimIsSentEvenWhenTheBalanceSaysNotLoggedIn) {
  server_.reply("/ip.php", "<h2>10.0.0.9</h2>");
  server_.reply("/url.php", gbk("<html>error: 没有登陆 (session)</html>"));
  server_.reply("/p.php", "x('p.php?class=giving&hash=tok9','y')");
  widget("按钮2")->setEnabled(true);
  const std::string caption = text_of("标签6");
  click("按钮2");

  EXPECT_EQ(targets(), (std::vector<std::string>{"GET /ip.php", "POST /url.php", "GET /p.php",
                                                 "GET /p.php?class=giving&hash=tok9"}));
  EXPECT_EQ(server_.requests()[1].body, "action=balance&url=127.0.0.1&ip=10.0.0.9");
  EXPECT_EQ(messages, (std::vector<std::string>{kNotLoggedIn}));
  EXPECT_EQ(text_of("标签6"), caption);
}

TEST_F(Scripted, AFailedBalanceShowsNoMinutes) {
  widget("按钮2")->setEnabled(true);
  click("按钮2");
  EXPECT_EQ(text_of("标签6"), "免费通话时间还剩： 分钟");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace client_test

namespace client_test {
namespace {

TEST_F(Scripted, TheNumbersAreSentAndShownWithoutTheirBlanks) {
  server_.reply("/validate.php", "<a href=\"/p.php\">member</a>");
  server_.reply("/ip.php", "<h2>10.1.2.3</h2>");
  server_.reply("/url.php", std::string(101, 'x'));
  type_into("编辑框2", " 10086 ");
  type_into("编辑框1", " ab ");
  click("按钮1");
  type_into("拨打电话", "  10010 ");
  click("按钮14");

  ASSERT_EQ(server_.requests().size(), 3u);
  EXPECT_EQ(server_.requests()[0].body,
            "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=10086&MemberPassword=10086&ValidCode="
            "%20ab%20&Image2.x=73&Image2.y=14");
  EXPECT_EQ(server_.requests()[2].body, "action=sendfreecall&tel=10010&url=127.0.0.1&ip=10.1.2.3");
  EXPECT_EQ(text_of("标签5"), "用户号码：10086");
  EXPECT_EQ(text_of("标签1"), "登录成功！！");
  EXPECT_TRUE(enabled("按钮2"));
  EXPECT_EQ(messages, (std::vector<std::string>{kPlaced}));
}

TEST_F(Scripted, AReplyWithoutTheMemberPageIsARefusal) {
  server_.reply("/validate.php", "<p>p.ph p</p>");
  type_into("编辑框2", "10086");
  type_into("编辑框1", "ab");
  click("按钮1");
  EXPECT_EQ(messages, (std::vector<std::string>{"登录失败！请确认注册了！或者验证码输入正确！！"}));
  EXPECT_EQ(targets(), (std::vector<std::string>{"POST /validate.php", "GET /verifycode.php"}));
  EXPECT_EQ(text_of("编辑框2"), "");
  EXPECT_EQ(text_of("编辑框1"), "");
}

}  // namespace
}  // namespace client_test
