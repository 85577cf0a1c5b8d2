// Input no program would send: oversized and malformed bodies, unknown
// actions and pages, and many clients at once. None of it may crash the
// service or be taken for success.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "service_fixture.h"

namespace service_test {
namespace {

struct BadRequestRow {
  const char* name;
  const char* path;
  const char* body;  // nullptr: GET
  long status;
  const char* reason;
};

const BadRequestRow kBadRequests[] = {
    {"PercentAtEnd", "/url.php", "action=balance&ip=1%", 400, "请求格式有误"},
    {"PercentNotHex", "/url.php", "action=taste&MemberMobile=%zz138", 400, "请求格式有误"},
    {"PercentInName", "/validate.php", "Member%G1=1", 400, "请求格式有误"},
    {"MalformedQuery", "/url.php?class=%", "action=balance", 400, "请求格式有误"},
    {"MalformedClaimQuery", "/p.php?class=giving&hash=%4", nullptr, 400, "请求格式有误"},
    {"UnknownAction", "/url.php", "action=deleteall", 400, "不支持的操作"},
    {"NoAction", "/url.php", "tel=10086", 400, "不支持的操作"},
    {"EmptyBody", "/url.php", "", 400, "不支持的操作"},
    {"UnknownMemberPageClass", "/p.php?class=admin", nullptr, 400, "不支持的请求"},
    {"UnknownPage", "/admin.php", nullptr, 404, "页面不存在"},
};

class BadRequestTest : public ServiceTest, public ::testing::WithParamInterface<BadRequestRow> {};

TEST_P(BadRequestTest, IsRefusedWithAPage) {
  const BadRequestRow& row = GetParam();
  TestClient c = client();
  const HttpReply reply = row.body ? c.post(row.path, row.body) : c.get(row.path);
  EXPECT_EQ(reply.status, row.status);
  EXPECT_TRUE(contains(reply.body, gbk(row.reason))) << reply.body;
  EXPECT_TRUE(reply.body.size() >= 160) << reply.body.size();
}

INSTANTIATE_TEST_SUITE_P(BadRequests, BadRequestTest, ::testing::ValuesIn(kBadRequests),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceTest, BodiesOverSixtyFourKibibytesAreRefused) {
  TestClient c = client();
  const std::string prefix = "action=balance&url=127.0.0.1&ip=";
  const std::string at_limit = prefix + std::string(64 * 1024 - prefix.size(), 'x');
  EXPECT_EQ(c.post("/url.php", at_limit).status, 200);
  const HttpReply over = c.post("/url.php", at_limit + "x");
  EXPECT_EQ(over.status, 413);
  EXPECT_TRUE(contains(over.body, gbk("请求内容过长"))) << over.body;
}

TEST_F(ServiceTest, MultipartBodiesAreRefused) {
  TestClient c = client();
  const HttpReply reply = c.post_as("/url.php", "multipart/form-data; boundary=x",
                                    "--x\r\nContent-Disposition: form-data; name=\"action\"\r\n\r\n"
                                    "balance\r\n--x--\r\n");
  EXPECT_EQ(reply.status, 415);
  EXPECT_TRUE(contains(reply.body, gbk("不支持的请求格式"))) << reply.body;
}

TEST_F(ServiceTest, RawUnescapedValuesAreTakenAsSent) {
  // A client that does not escape: a raw GBK text and a raw blank pass through.
  TestClient c = client();
  const HttpReply reply =
      c.post("/url.php", "action=sendfreecall&tel=10086&url=" + gbk("岚音 宝") + "&ip=1.2.3.4");
  EXPECT_EQ(reply.status, 200);
  EXPECT_TRUE(contains(reply.body, gbk("没有登陆")));
}

TEST_F(ServiceTest, ForgedSessionCookiesFindNoSession) {
  const char* forged[] = {"", "x", "../../etc", "0123456789abcdef0123456789abcdef"};
  for (const char* id : forged) {
    TestClient c = client();
    c.set_session(id);
    EXPECT_TRUE(contains(c.post("/url.php", balance_body()).body, gbk("没有登陆"))) << id;
    EXPECT_EQ(c.get("/_standin/picture-code").status, 404) << id;
  }
}

TEST_F(ServiceTest, ConcurrentClientsAreServedApart) {
  constexpr int kClients = 8;
  std::atomic<int> good{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < kClients; ++i) {
    threads.emplace_back([this, i, &good] {
      TestClient c = client();
      const std::string mobile = "1330000000" + std::to_string(i);
      c.post("/url.php?class=check", voice_code_body(mobile));
      const std::string code = c.get("/_standin/voice-code?mobile=" + mobile).body;
      if (c.post("/url.php", registration_body(mobile, code)).body != "6") {
        return;
      }
      c.get("/verifycode.php");
      const std::string picture = c.get("/_standin/picture-code").body;
      c.post("/validate.php", login_body(mobile, picture));
      const std::string page = c.get("/p.php").body;
      if (contains(page, mobile) && c.post("/url.php", balance_body()).body == "0") {
        ++good;
      }
    });
  }
  for (std::thread& t : threads) {
    t.join();
  }
  EXPECT_EQ(good.load(), kClients);
  EXPECT_EQ(service_->members().members().size(), static_cast<size_t>(kClients));
}

}  // namespace
}  // namespace service_test
