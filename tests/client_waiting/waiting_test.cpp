// The window while the program waits on the network: the watchdog's warning
// comes while the voice-code request still waits, the window keeps handling
// timers, paints and clicks, the busy cursor shows and goes, and failed
// requests are told as failures.
#include <QBuffer>
#include <QCursor>
#include <QImage>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

#include "tests/client_service/client_fixture.h"
#include "tests/client_service/scripted_server.h"
#include "tests/client_waiting/shown_boxes.h"
#include "tests/client_waiting/stalling_server.h"

namespace client_test {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

constexpr char kVoiceCodeComing[] =
    "请稍等,语音验证码将在5分钟内以电话语音的方式告诉你，请将听到的数字填入框中！！";
constexpr char kCheckNetwork[] = "请检查你的网络是否正常！！！！";
constexpr char kNotLoggedIn[] = "你还没有登录！！";

// A port nothing listens on: connecting is refused at once.
int closed_port() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(fd);
  return ntohs(address.sin_port);
}

bool busy_cursor_shown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

class Waiting : public ClientFixture {
 protected:
  void TearDown() override {
    unsetenv("WININET_RECEIVE_TIMEOUT_MS");
    ClientFixture::TearDown();
  }

  static void set_receive_timeout(const char* ms) { setenv("WININET_RECEIVE_TIMEOUT_MS", ms, 1); }

  // Runs `probe` `after` the next step begins, inside whatever that step waits for.
  static void during(milliseconds after, std::function<void()> probe) {
    QTimer::singleShot(after, std::move(probe));
  }

  std::vector<std::string> box_texts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : boxes_.boxes) {
      texts.push_back(box.text);
    }
    return texts;
  }

  ShownBoxes boxes_;
};

// --- the watchdog against a server that answers late or never ---

struct SlowServerRow {
  const char* name;
  std::optional<milliseconds> answer_after;
  const char* receive_timeout_ms;
  milliseconds request_ends;  // when the request returns at the earliest
};

const SlowServerRow kSlowServers[] = {
    {"AnswersAfter12s", 12'000ms, "30000", 12'000ms},
    {"NeverAnswers", std::nullopt, "12000", 12'000ms},
};

class Watchdog : public Waiting, public testing::WithParamInterface<SlowServerRow> {};

TEST_P(Watchdog, WarnsWhileTheVoiceCodeRequestStillWaitsThenConfirms) {
  const SlowServerRow& row = GetParam();
  set_receive_timeout(row.receive_timeout_ms);
  StallingServer server(row.answer_after, "ok");
  route_service_to(server.port());
  type_into("编辑框3", "13800138000");

  click("按钮16");

  ASSERT_EQ(box_texts(), (std::vector<std::string>{kCheckNetwork, kVoiceCodeComing}));
  const milliseconds warning = boxes_.boxes[0].at;
  const milliseconds confirmation = boxes_.boxes[1].at;
  std::cout << "watchdog warning after " << warning.count() << " ms, confirmation after "
            << confirmation.count() << " ms\n";
  EXPECT_GE(warning, 9'000ms);
  EXPECT_LT(warning, 12'000ms) << "the warning must come while the request still waits";
  EXPECT_GE(confirmation, row.request_ends - 500ms);
  EXPECT_EQ(server.requests(), 1);
}

INSTANTIATE_TEST_SUITE_P(Servers, Watchdog, testing::ValuesIn(kSlowServers),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the window during a stalled request ---

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

TEST_F(Waiting, TheWindowStaysAliveWhileARequestStalls) {
  set_receive_timeout("3000");
  StallingServer server(std::nullopt, "");
  route_service_to(server.port());

  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(20);
  PaintCounter painted(widget("标签1"));
  int ticks_at_1s = -1;
  int paints_before_update = -1;
  int paints_at_1s = -1;
  bool busy_during = false;
  std::string dialled_during;
  during(300ms, [&] { busy_during = busy_cursor_shown(); });
  during(500ms, [&] {
    paints_before_update = painted.paints;
    widget("标签1")->update();
  });
  during(600ms, [&] { click("按钮3"); });   // the keypad's "1"
  during(700ms, [&] { click("按钮16"); });  // the same handler again: dropped
  during(1000ms, [&] {
    ticks_at_1s = ticks;
    paints_at_1s = painted.paints;
    dialled_during = text_of("拨打电话");
  });
  const auto start = std::chrono::steady_clock::now();

  click("按钮16");

  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, 2'500ms) << "the handler waits for its request";
  EXPECT_GE(ticks_at_1s, 10) << "timer events are delivered every 20 ms while the request waits";
  EXPECT_GT(paints_at_1s, paints_before_update) << "a requested repaint is delivered";
  EXPECT_TRUE(dialled_during.ends_with("1")) << "another button's handler ran: " << dialled_during;
  EXPECT_TRUE(busy_during);
  EXPECT_FALSE(busy_cursor_shown());
  EXPECT_EQ(server.requests(), 1) << "a second click on 提交 while it waits starts nothing";
  EXPECT_EQ(box_texts(), (std::vector<std::string>{kVoiceCodeComing}));
}

// --- the busy cursor, however the request ends ---

enum class Ending { Success, Refused, TimeOut };

struct EndingRow {
  const char* name;
  Ending ending;
  bool lasts;  // long enough to look at the cursor during the request
};

const EndingRow kEndings[] = {
    {"Success", Ending::Success, true},
    {"Refused", Ending::Refused, false},
    {"TimeOut", Ending::TimeOut, true},
};

class BusyCursor : public Waiting, public testing::WithParamInterface<EndingRow> {};

TEST_P(BusyCursor, ShowsDuringTheRequestAndGoesAfterIt) {
  const EndingRow& row = GetParam();
  set_receive_timeout("1000");
  std::unique_ptr<StallingServer> server;
  if (row.ending == Ending::Refused) {
    route_service_to(closed_port());
  } else {
    server = std::make_unique<StallingServer>(
        row.ending == Ending::Success ? std::optional(600ms) : std::nullopt, "ok");
    route_service_to(server->port());
  }
  bool busy_during = false;
  during(300ms, [&] { busy_during = busy_cursor_shown(); });

  click("按钮16");

  if (row.lasts) {
    EXPECT_TRUE(busy_during);
  }
  EXPECT_FALSE(busy_cursor_shown());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "every busy cursor set was restored";
  EXPECT_EQ(box_texts(), (std::vector<std::string>{kVoiceCodeComing}));
}

INSTANTIATE_TEST_SUITE_P(Endings, BusyCursor, testing::ValuesIn(kEndings),
                         [](const auto& info) { return std::string(info.param.name); });

// --- failures told honestly ---

std::string png_picture() {
  QImage image(40, 16, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

struct FailedFetchRow {
  const char* name;
  bool refused;  // else the server answers with an empty body
};

class PictureAfterFailure : public Waiting, public testing::WithParamInterface<FailedFetchRow> {};

TEST_P(PictureAfterFailure, ShowsNoPictureRatherThanTheLastOne) {
  ScriptedServer server;
  server.reply("/verifycode.php", png_picture());
  route_service_to(server.port());
  focus("编辑框1");
  ASSERT_TRUE(picture_bytes().starts_with("BM")) << "the first picture is shown";

  if (GetParam().refused) {
    route_service_to(closed_port());
  } else {
    server.reply("/verifycode.php", "");
  }
  focus("编辑框1");

  EXPECT_EQ(picture_bytes(), "");
  EXPECT_TRUE(box_texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Fetches, PictureAfterFailure,
                         testing::Values(FailedFetchRow{"Refused", true},
                                         FailedFetchRow{"EmptyReply", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MemberPageRow {
  const char* name;
  const char* page;
  const char* told;
};

class MenuClaim : public Waiting, public testing::WithParamInterface<MemberPageRow> {};

TEST_P(MenuClaim, TellsWhyNothingWasClaimed) {
  ScriptedServer server;
  server.reply("/p.php", GetParam().page);
  route_service_to(server.port());

  choose_menu_item("领取15分钟");

  EXPECT_EQ(box_texts(), (std::vector<std::string>{GetParam().told}));
  for (const SeenRequest& seen : server.requests()) {
    EXPECT_EQ(seen.target.find("giving"), std::string::npos) << "no claim was sent";
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, MenuClaim,
                         testing::Values(MemberPageRow{"EmptyPage", "", kCheckNetwork},
                                         MemberPageRow{"PageWithoutToken", "<html>welcome</html>",
                                                       kNotLoggedIn}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace client_test
