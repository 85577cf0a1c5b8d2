// Values that would add fields if pasted as they are: on the wire each stays
// one field, and the strict stand-in takes the requests as the program's.
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "service/form_fields.h"
#include "service/standin_service.h"
#include "tests/client_service/client_fixture.h"
#include "tests/client_service/scripted_server.h"
#include "tests/support/temp_dir.h"

namespace client_test {
namespace {

// The fields of a body as a form reader sees them.
std::vector<std::pair<std::string, std::string>> fields_of(const std::string& body) {
  const service::FormParse parse = service::parse_form(body);
  EXPECT_TRUE(parse.ok()) << parse.error;
  return parse.fields.entries();
}

using Fields = std::vector<std::pair<std::string, std::string>>;

class HostileValues : public ClientFixture {
 protected:
  void SetUp() override {
    ClientFixture::SetUp();
    route_service_to(server_.port());
  }
  ScriptedServer server_;
};

TEST_F(HostileValues, ACalledNumberWithAFieldInItStaysOneField) {
  server_.reply("/ip.php", "<h2>1.2.3.4&tel=999</h2>");
  server_.reply("/url.php", std::string(120, 'x'));
  type_into("拨打电话", "10086&x=1");
  click("按钮14");
  ASSERT_EQ(server_.requests().size(), 2u);
  EXPECT_EQ(server_.requests()[1].body,
            "action=sendfreecall&tel=10086%26x%3D1&url=127.0.0.1&ip=1.2.3.4%26tel%3D999");
  EXPECT_EQ(fields_of(server_.requests()[1].body), (Fields{{"action", "sendfreecall"},
                                                           {"tel", "10086&x=1"},
                                                           {"url", "127.0.0.1"},
                                                           {"ip", "1.2.3.4&tel=999"}}));
}

TEST_F(HostileValues, LoginValuesStayTheirFields) {
  server_.reply("/validate.php", "refused");
  type_into("编辑框2", "1+1=2");
  type_into("编辑框1", "a&Image2.x=0#");
  click("按钮1");
  ASSERT_GE(server_.requests().size(), 1u);
  EXPECT_EQ(fields_of(server_.requests()[0].body), (Fields{{"top", "1"},
                                                           {"NoCode", "1"},
                                                           {"RedirectUrl", "/p.php"},
                                                           {"MemberCode", "1+1=2"},
                                                           {"MemberPassword", "1+1=2"},
                                                           {"ValidCode", "a&Image2.x=0#"},
                                                           {"Image2.x", "73"},
                                                           {"Image2.y", "14"}}));
}

TEST_F(HostileValues, AClaimTokenStaysOneQueryField) {
  server_.reply("/p.php", "claim('p.php?class=giving&hash=t%1&class=x#y','z')");
  choose_menu_item("领取15分钟");
  ASSERT_EQ(server_.requests().size(), 2u);
  EXPECT_EQ(server_.requests()[1].target, "/p.php?class=giving&hash=t%251%26class%3Dx%23y");
}

TEST_F(HostileValues, RegistrationValuesStayTheirFields) {
  server_.reply("/url.php", "no");
  type_into("编辑框3", "138&action=balance");
  type_into("编辑框4", "1 2");
  click("按钮15");
  ASSERT_EQ(server_.requests().size(), 1u);
  EXPECT_EQ(fields_of(server_.requests()[0].body), (Fields{{"class", "check"},
                                                           {"action", "one"},
                                                           {"tel", "10000000000"},
                                                           {"MemberMobile", "138&action=balance"},
                                                           {"VerifyCode", "1 2"}}));
}

// Against the strict stand-in, which refuses any request not shaped as the
// program's: hostile values are refused for what they say, not for their shape.
class StrictService : public ClientFixture {
 protected:
  void SetUp() override {
    ClientFixture::SetUp();
    ASSERT_GT(start_standin(service_, {}, folder_.path() / "service.log"), 0);
  }
  void TearDown() override {
    service_.reset();
    ClientFixture::TearDown();
  }
  std::string log_text() const {
    std::ifstream in(folder_.path() / "service.log");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  test_support::TempDir folder_;
  std::unique_ptr<service::StandinService> service_;
};

TEST_F(StrictService, TakesEveryFlowWithHostileValues) {
  type_into("编辑框3", "138&tel=1");
  click("按钮16");
  type_into("编辑框4", "=");
  click("按钮15");
  type_into("编辑框2", "1&NoCode=2");
  focus("编辑框1");
  type_into("编辑框1", "%zz");
  click("按钮1");
  type_into("拨打电话", "10086&x=1");
  click("按钮14");
  choose_menu_item("领取15分钟");

  EXPECT_EQ(log_text().find("refused"), std::string::npos) << log_text();
  EXPECT_EQ(
      messages,
      (std::vector<std::string>{
          "请稍等,语音验证码将在5分钟内以电话语音的方式告诉你，请将听到的数字填入框中！！",
          "语音验证码错误，或者手机号码错误！！", "登录失败！请确认注册了！或者验证码输入正确！！",
          "呼叫失败！请重试！！", "你还没有登录！！"}));
}

}  // namespace
}  // namespace client_test
