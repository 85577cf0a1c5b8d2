// Requests that differ from the program's in their path, query, fixed
// values or field order are refused with 400, and the log says why.
#include <string>

#include "service_fixture.h"

namespace service_test {
namespace {

struct ShapeRow {
  const char* name;
  const char* path;
  const char* body;  // nullptr: GET
  const char* logged;
};

const ShapeRow kShapeRows[] = {
    {"VoiceCodeWithoutItsQuery", "/url.php",
     "action=taste&tel=10000000000&MemberMobile=13800138000",
     "refused POST /url.php (voice code): query field 1 'class' is missing"},
    {"VoiceCodeOtherTel", "/url.php?class=check",
     "action=taste&tel=10000000001&MemberMobile=13800138000",
     "refused POST /url.php (voice code): body field 'tel' is '10000000001', expected "
     "'10000000000'"},
    {"VoiceCodeWithoutMobile", "/url.php?class=check", "action=taste&tel=10000000000",
     "refused POST /url.php (voice code): body field 3 'MemberMobile' is missing"},
    {"RegistrationWithoutClass", "/url.php",
     "action=one&tel=10000000000&MemberMobile=13800138000&VerifyCode=1234",
     "refused POST /url.php (registration): body field 1 is 'action', expected 'class'"},
    {"RegistrationWithQuery", "/url.php?class=check",
     "class=check&action=one&tel=10000000000&MemberMobile=13800138000&VerifyCode=1234",
     "refused POST /url.php (registration): query field 1 'class' is not expected"},
    {"LoginWithoutNoCode", "/validate.php",
     "top=1&RedirectUrl=%2Fp.php&MemberCode=1&MemberPassword=1&ValidCode=1&Image2.x=73&Image2.y=14",
     "refused POST /validate.php (login): body field 2 is 'RedirectUrl', expected 'NoCode'"},
    {"LoginOtherRedirect", "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fq.php&MemberCode=1&MemberPassword=1&ValidCode=1&Image2.x=73&"
     "Image2.y=14",
     "refused POST /validate.php (login): body field 'RedirectUrl' is '/q.php', expected '/p.php'"},
    {"LoginWithoutImageY", "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=1&MemberPassword=1&ValidCode=1&Image2.x=73",
     "refused POST /validate.php (login): body field 8 'Image2.y' is missing"},
    {"LoginOtherClick", "/validate.php",
     "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=1&MemberPassword=1&ValidCode=1&Image2.x=7&"
     "Image2.y=14",
     "refused POST /validate.php (login): body field 'Image2.x' is '7', expected '73'"},
    {"BalanceWithAnExtraField", "/url.php", "action=balance&url=h&ip=&pad=1",
     "refused POST /url.php (balance): body field 4 'pad' is not expected"},
    {"CallFieldsSwapped", "/url.php", "action=sendfreecall&url=h&tel=10086&ip=",
     "refused POST /url.php (free call): body field 2 is 'url', expected 'tel'"},
    {"ClaimHashFirst", "/p.php?hash=abc&class=giving", nullptr,
     "refused GET /p.php (weekly claim): query field 1 is 'hash', expected 'class'"},
    {"ClaimWithoutHash", "/p.php?class=giving", nullptr,
     "refused GET /p.php (weekly claim): query field 2 'hash' is missing"},
    {"PictureWithQuery", "/verifycode.php?t=1", nullptr,
     "refused GET /verifycode.php (page): query field 1 't' is not expected"},
    {"IpEchoWithQuery", "/ip.php?ip=1.2.3.4", nullptr,
     "refused GET /ip.php (page): query field 1 'ip' is not expected"},
};

class StrictProtocolTest : public ServiceTest, public ::testing::WithParamInterface<ShapeRow> {};

TEST_P(StrictProtocolTest, RefusesAndLogsWhy) {
  const ShapeRow& row = GetParam();
  TestClient c = client();
  const HttpReply reply = row.body ? c.post(row.path, row.body) : c.get(row.path);
  EXPECT_EQ(reply.status, 400);
  EXPECT_TRUE(contains(reply.body, gbk("不支持的请求"))) << reply.body;
  EXPECT_TRUE(contains(log_text(), std::string(row.logged) + "\n")) << log_text();
}

INSTANTIATE_TEST_SUITE_P(Shapes, StrictProtocolTest, ::testing::ValuesIn(kShapeRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceTest, TheProgramsOwnRequestsPass) {
  TestClient c = client();
  const char* const targets[] = {"/ip.php", "/verifycode.php", "/p.php",
                                 "/p.php?class=giving&hash=x"};
  for (const char* target : targets) {
    EXPECT_EQ(c.get(target).status, 200) << target;
  }
  EXPECT_EQ(c.post("/url.php?class=check", voice_code_body("13800138000")).status, 200);
  EXPECT_EQ(c.post("/url.php", registration_body("13800138000", "0000")).status, 200);
  EXPECT_EQ(c.post("/validate.php", login_body("13800138000", "0000")).status, 200);
  EXPECT_EQ(c.post("/url.php", balance_body()).status, 200);
  EXPECT_EQ(c.post("/url.php", call_body("10086")).status, 200);
  EXPECT_FALSE(contains(log_text(), "refused")) << log_text();
}

}  // namespace
}  // namespace service_test
