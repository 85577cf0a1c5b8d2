// Registration against loopback services: a scripted server that records
// every request and answers what the row says, and the stand-in service for
// the whole two-step journey. The build's service address reaches them
// through the platform's WININET_CONNECT_TO.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTest>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "client/handlers.h"
#include "image/service_addresses.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/window/window_api.h"
#include "service/standin_service.h"
#include "tests/client_local/client_fixture.h"
#include "ui/control_ids.h"

namespace client_test {
namespace {

using program::Const;

struct Request {
  std::string target;  // path and query
  std::string body;
};

// Answers every POST with `reply`; at most a few seconds of life per test.
class ScriptedService {
 public:
  explicit ScriptedService(std::string reply) : reply_(std::move(reply)) {
    server_.set_read_timeout(5, 0);
    server_.Post(".*", [this](const httplib::Request& req, httplib::Response& res) {
      {
        std::lock_guard lock(mutex_);
        requests_.push_back({req.target, req.body});
      }
      res.set_content(reply_, "text/html");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~ScriptedService() {
    server_.stop();
    thread_.join();
  }

  int port() const { return port_; }
  std::vector<Request> requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  std::string reply_;
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::mutex mutex_;
  std::vector<Request> requests_;
};

// "host:port" of the build's service address.
std::string service_authority() {
  std::string authority = LANYINBAO_SERVICE_URL_PREFIX;
  authority.erase(0, authority.find("//") + 2);
  return authority.find(':') == std::string::npos ? authority + ":80" : authority;
}

class RedirectService {
 public:
  explicit RedirectService(int port)
      : env_("WININET_CONNECT_TO", service_authority() + ":127.0.0.1:" + std::to_string(port)) {}

 private:
  test_support::ScopedEnv env_;
};

// A loopback port that nobody listens on: bound without listening, then let
// go, so that a connection is refused at once.
int closed_port() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  close(fd);
  return ntohs(address.sin_port);
}

// ProcessEvents as the web access routine calls it before each read, noting
// the watchdog's interval at that moment.
std::vector<int32_t>& intervals_seen() {
  static std::vector<int32_t> seen;
  return seen;
}

class Registration : public ClientTest {
 protected:
  void SetUp() override {
    ClientTest::SetUp();
    intervals_seen().clear();
    core::register_core_command(abi::cmd::ProcessEvents, [](std::span<const abi::ArgRecord>) {
      intervals_seen().push_back(static_cast<int32_t>(
          core::window::read_property(abi::kMainWindowId, ui::id::时钟1, abi::property::Content, -1)
              .value));
      QCoreApplication::processEvents();
      return abi::ArgRecord{0, 0, abi::tag::None};
    });
  }

  void type(const char* box, const char* utf8_text) {
    edit_box(box)->setText(QString::fromUtf8(utf8_text));
  }
};

TEST_F(Registration, VoiceCodeRequestSendsTheTrimmedNumberUnderTheWatchdog) {
  ScriptedService service("whatever the service says");
  RedirectService redirect(service.port());
  type("编辑框3", "  13800138000 ");
  int32_t interval_while_open = -1;
  keep_open = [&](const std::string&) {
    interval_while_open = timer_interval();
    return false;
  };
  RequestVoiceCode();
  const std::vector<Request> sent = service.requests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].target, "/url.php?class=check");
  EXPECT_EQ(sent[0].body, "action=taste&tel=10000000000&MemberMobile=13800138000");
  ASSERT_FALSE(intervals_seen().empty()) << "the reply is read with events running";
  for (int32_t interval : intervals_seen()) {
    EXPECT_EQ(interval, 10000);
  }
  EXPECT_EQ(messages, std::vector<std::string>{utf8(Const::VoiceCodeComing)});
  EXPECT_EQ(interval_while_open, 10000) << "the watchdog runs while the confirmation is open";
  EXPECT_EQ(timer_interval(), 0);
  EXPECT_EQ(content("编辑框3"), "  13800138000 ") << "the box keeps what was typed";
}

TEST_F(Registration, VoiceCodeConfirmationShowsEvenWhenTheServiceIsDown) {
  RedirectService redirect(closed_port());
  type("编辑框3", "13800138000");
  RequestVoiceCode();
  EXPECT_EQ(messages, std::vector<std::string>{utf8(Const::VoiceCodeComing)});
  EXPECT_EQ(timer_interval(), 0);
}

TEST_F(Registration, WatchdogTickWarnsOnceAndStopsTheTimer) {
  set_timer_interval(10000);
  WatchdogTick();
  EXPECT_EQ(messages, std::vector<std::string>{utf8(Const::CheckNetwork)});
  EXPECT_EQ(timer_interval(), 0);
}

// The confirmation stays open past the watchdog's period (shortened here so
// that it passes at once): the warning shows inside it, and once both boxes
// are closed the timer is stopped for good.
TEST_F(Registration, ConfirmationLeftOpenBringsTheNetworkWarning) {
  ScriptedService service("");
  RedirectService redirect(service.port());
  type("编辑框3", "13800138000");
  keep_open = [&](const std::string& text) {
    if (text == utf8(Const::VoiceCodeComing) && messages.size() == 1) {
      if (timer_interval() == 10000) {
        set_timer_interval(1);
      }
      return true;
    }
    return false;
  };
  RequestVoiceCode();
  EXPECT_EQ(messages,
            (std::vector<std::string>{utf8(Const::VoiceCodeComing), utf8(Const::CheckNetwork)}));
  EXPECT_EQ(timer_interval(), 0);
  QTest::qWait(30);
  EXPECT_EQ(messages.size(), 2u) << "no tick after the watchdog stopped";
}

struct ReplyRow {
  const char* name;
  std::string reply;
  bool accepted;
};

void PrintTo(const ReplyRow& row, std::ostream* out) {
  *out << row.name;
}

const ReplyRow kReplies[] = {
    {"exactly_six", "6", true},
    {"six_and_line_end", "6\r\n", false},
    {"six_and_newline", "6\n", false},
    {"blank_then_six", " 6", false},
    {"six_and_zero_byte", std::string("6\0", 2), false},
    {"sixty", "66", false},
    {"empty", "", false},
    {"refusal_page", "<html><body>语音验证码错误</body></html>", false},
};

class RegistrationReplies : public Registration, public testing::WithParamInterface<ReplyRow> {};

TEST_P(RegistrationReplies, OnlyTheOneByteSixIsSuccess) {
  const ReplyRow& row = GetParam();
  ScriptedService service(row.reply);
  RedirectService redirect(service.port());
  type("编辑框3", " 13800138000\t");
  type("编辑框4", "  4711  ");
  SubmitRegistration();
  const std::vector<Request> sent = service.requests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].target, "/url.php");
  EXPECT_EQ(sent[0].body,
            "class=check&action=one&tel=10000000000&MemberMobile=13800138000&VerifyCode=4711");
  EXPECT_EQ(messages, std::vector<std::string>{utf8(row.accepted ? Const::RegistrationDone
                                                                 : Const::RegistrationRefused)});
  EXPECT_EQ(current_page(), row.accepted ? 1 : 0);
  EXPECT_EQ(content("编辑框4"), "  4711  ") << "the boxes keep their contents";
}

INSTANTIATE_TEST_SUITE_P(Replies, RegistrationReplies, testing::ValuesIn(kReplies),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Registration, ServiceDownIsARefusal) {
  RedirectService redirect(closed_port());
  type("编辑框3", "13800138000");
  type("编辑框4", "4711");
  SubmitRegistration();
  EXPECT_EQ(messages, std::vector<std::string>{utf8(Const::RegistrationRefused)});
  EXPECT_EQ(current_page(), 0);
}

// The two steps against the stand-in service: the code it would speak on
// the phone is read from its loopback hook.
TEST_F(Registration, JourneyThroughTheStandInService) {
  test_support::TempDir folder;
  service::ServiceOptions options;
  options.port = 0;
  options.state_file = folder.path() / "state.txt";
  options.log_file = folder.path() / "service.log";
  options.echo_events = false;
  service::StandinService service(options);
  ASSERT_EQ(service.error(), "");
  const int port = service.start();
  ASSERT_GT(port, 0) << service.error();
  RedirectService redirect(port);

  visit(edit_box("编辑框3"));
  QTest::keyClicks(edit_box("编辑框3"), " 13900139000 ");
  click("按钮16");
  ASSERT_EQ(messages, std::vector<std::string>{utf8(Const::VoiceCodeComing)});

  httplib::Client hook("127.0.0.1", port);
  const auto code = hook.Get("/_standin/voice-code?mobile=13900139000");
  ASSERT_TRUE(code && code->status == 200);

  visit(edit_box("编辑框4"));
  QTest::keyClicks(edit_box("编辑框4"), QString::fromStdString(code->body));
  click("按钮15");
  EXPECT_EQ(messages, (std::vector<std::string>{utf8(Const::VoiceCodeComing),
                                                utf8(Const::RegistrationDone)}));
  EXPECT_EQ(current_page(), 1);
  EXPECT_EQ(content("编辑框3"), " 13900139000 ");
  EXPECT_EQ(content("编辑框4"), code->body);

  click("按钮15");
  EXPECT_EQ(messages.back(), utf8(Const::RegistrationRefused)) << "the code is used up";
  service.stop();
}

}  // namespace
}  // namespace client_test
