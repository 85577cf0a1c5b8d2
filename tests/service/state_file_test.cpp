// Members and minutes kept across restarts with --state, and a state file
// that cannot be read or written.
#include <fstream>
#include <sstream>
#include <string>

#include "service/state_file.h"
#include "service_fixture.h"

namespace service_test {
namespace {

std::string read_file(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file) << text;
}

class StateFileTest : public ServiceTest {
 protected:
  void SetUp() override {
    state_ = folder_.path() / "members.txt";
    start(with_state());
  }
  service::ServiceOptions with_state() const {
    service::ServiceOptions options = default_options();
    options.state_file = state_;
    return options;
  }
  std::filesystem::path state_;
};

TEST_F(StateFileTest, MembersAndMinutesSurviveARestart) {
  TestClient c = client();
  register_member(c, "13200000000");
  log_in(c, "13200000000");
  claim(c);
  c.post("/url.php", call_body("10086"));
  const std::string saved = read_file(state_);
  EXPECT_TRUE(contains(saved, "13200000000 14 ")) << saved;
  EXPECT_FALSE(std::filesystem::exists(state_.string() + ".tmp"));

  start(with_state());
  TestClient again = client();
  log_in(again, "13200000000");  // still a member; sessions do not survive
  EXPECT_EQ(again.post("/url.php", balance_body()).body, "14");
  EXPECT_TRUE(contains(claim(again).body, gbk("已经领过了")));
}

TEST_F(StateFileTest, AChangeThatCannotBeSavedIsNotMade) {
  TestClient c = client();
  register_member(c, "13200000001");
  log_in(c, "13200000001");
  // A folder in the way of the temporary file makes every save fail.
  std::filesystem::create_directory(state_.string() + ".tmp");
  const HttpReply refused = claim(c);
  EXPECT_EQ(refused.status, 503);
  EXPECT_FALSE(contains(refused.body, gbk("领取成功")));
  EXPECT_EQ(c.post("/url.php", balance_body()).body, "0");

  c.post("/url.php?class=check", voice_code_body("13200000002"));
  const std::string code = c.get("/_standin/voice-code?mobile=13200000002").body;
  EXPECT_NE(c.post("/url.php", registration_body("13200000002", code)).body, "6");
  EXPECT_FALSE(service_->members().is_member("13200000002"));

  std::filesystem::remove(state_.string() + ".tmp");
  EXPECT_TRUE(contains(claim(c).body, gbk("领取成功")));
}

struct BadStateRow {
  const char* name;
  const char* text;
  const char* message;
};

const BadStateRow kBadStates[] = {
    {"NoFormatLine", "13200000000 0 -1\n", "line 1: expected 'lanyinbao-service members 1'"},
    {"MissingField", "lanyinbao-service members 1\n13200000000 0\n", "line 2: expected"},
    {"ExtraField", "lanyinbao-service members 1\n13200000000 0 -1 x\n", "line 2: expected"},
    {"NotAMobile", "lanyinbao-service members 1\n\n1320000000a 0 -1\n",
     "line 3: '1320000000a' is not a mobile number"},
    {"NegativeMinutes", "lanyinbao-service members 1\n13200000000 -5 -1\n",
     "line 2: minutes '-5' is not a count"},
    {"BadWeek", "lanyinbao-service members 1\n13200000000 5 -2\n", "line 2: week '-2'"},
    {"Twice", "lanyinbao-service members 1\n13200000000 5 -1\n13200000000 6 -1\n",
     "line 3: member 13200000000 appears twice"},
};

class BadStateTest : public ::testing::TestWithParam<BadStateRow> {};

TEST_P(BadStateTest, IsRefusedWithItsLine) {
  TempFolder folder;
  const auto file = folder.path() / "members.txt";
  write_file(file, GetParam().text);
  const service::StateLoad load = service::load_state(file);
  EXPECT_TRUE(contains(load.error, GetParam().message)) << load.error;
  EXPECT_TRUE(load.members.empty());

  service::ServiceOptions options;
  options.port = 0;
  options.state_file = file;
  service::StandinService service(options);
  EXPECT_EQ(service.start(), -1);
  EXPECT_TRUE(contains(service.error(), GetParam().message)) << service.error();
}

INSTANTIATE_TEST_SUITE_P(BadStates, BadStateTest, ::testing::ValuesIn(kBadStates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StateFile, RoundTripKeepsEveryField) {
  TempFolder folder;
  const auto file = folder.path() / "members.txt";
  const service::MemberMap members = {
      {"13100000000", {0, -1}}, {"13100000001", {15, 2970}}, {"123", {9999, 0}}};
  ASSERT_EQ(service::save_state(file, members), "");
  const service::StateLoad load = service::load_state(file);
  EXPECT_EQ(load.error, "");
  EXPECT_EQ(load.members, members);
  EXPECT_TRUE(service::load_state(folder.path() / "absent.txt").ok());
}

}  // namespace
}  // namespace service_test
