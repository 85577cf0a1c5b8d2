// Each way the service can be told to misbehave, seen from a plain socket:
// what bytes come, when, and how the connection ends.
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "raw_exchange.h"
#include "service_fixture.h"

namespace service_test {
namespace {

using service::FaultMode;
using service::FaultPlan;
using std::chrono::milliseconds;

constexpr char kEchoPage[] = "<h2>127.0.0.1</h2>";

struct FaultRow {
  const char* name;
  FaultMode mode;
  milliseconds time;
  std::function<void(const RawReply&)> check;
};

const FaultRow kFaultRows[] = {
    {"None", FaultMode::None, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 200);
       EXPECT_TRUE(contains(r.body(), kEchoPage)) << r.bytes;
       EXPECT_EQ(r.ending, Ending::Closed);
     }},
    {"HangsUntilItsTimeIsUp", FaultMode::Hang, milliseconds(400),
     [](const RawReply& r) {
       EXPECT_EQ(r.bytes, "");
       EXPECT_EQ(r.ending, Ending::Closed);
       EXPECT_GE(r.ended_after, milliseconds(400));
     }},
    {"AnswersLate", FaultMode::Delay, milliseconds(500),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 200);
       EXPECT_TRUE(contains(r.body(), kEchoPage));
       EXPECT_GE(r.first_byte_after, milliseconds(500));
     }},
    {"DripsByteByByte", FaultMode::Drip, milliseconds(10),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 200);
       EXPECT_TRUE(contains(r.body(), kEchoPage));
       // Reads may join bytes that came close together, but most come alone.
       EXPECT_GT(r.reads, static_cast<int>(r.bytes.size()) / 2) << r.bytes.size();
       EXPECT_GE(r.ended_after, milliseconds(10) * (r.bytes.size() - 1));
     }},
    {"CutsTheBodyInHalf", FaultMode::Cut, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 200);
       const size_t announced = std::stoul(r.header("Content-Length"));
       EXPECT_GT(announced, 100u);
       EXPECT_EQ(r.body().size(), announced / 2);
       EXPECT_EQ(r.ending, Ending::Closed);
     }},
    {"Resets", FaultMode::Reset, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.bytes, "");
       EXPECT_EQ(r.ending, Ending::Reset);
     }},
    {"ServerError", FaultMode::ServerError, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 500);
       EXPECT_TRUE(contains(r.body(), gbk("服务器内部错误"))) << r.bytes;
       EXPECT_EQ(r.body().size(), std::stoul(r.header("Content-Length")));
     }},
    {"Garbage", FaultMode::Garbage, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.bytes.size(), 512u);
       EXPECT_EQ(r.status(), 0);
       EXPECT_FALSE(r.bytes.starts_with("H"));
       EXPECT_EQ(r.ending, Ending::Closed);
     }},
    {"HugeBody", FaultMode::HugeBody, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 200);
       EXPECT_EQ(r.header("Content-Length"), "67108864");
       EXPECT_EQ(r.body().size(), 64u * 1024 * 1024);
     }},
    {"RedirectLoop", FaultMode::RedirectLoop, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 302);
       EXPECT_EQ(r.header("Location"), "/_standin/redirect-loop");
     }},
    {"HugeHeader", FaultMode::HugeHeader, milliseconds(0),
     [](const RawReply& r) {
       EXPECT_EQ(r.status(), 200);
       EXPECT_GE(r.header("X-Standin-Filler").size(), 1024u * 1024);
       EXPECT_TRUE(contains(r.body(), kEchoPage));
     }},
};

void PrintTo(const FaultRow& row, std::ostream* out) {
  *out << row.name;
}

class FaultModeTest : public ServiceTest, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(FaultModeTest, IsSeenByAPlainClient) {
  service_->faults().set(FaultPlan{.mode = GetParam().mode, .time = GetParam().time});
  GetParam().check(raw_exchange(port_, raw_get("/ip.php")));
}

INSTANTIATE_TEST_SUITE_P(Modes, FaultModeTest, ::testing::ValuesIn(kFaultRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceTest, TheRedirectLoopNeverEnds) {
  // The loop's page answers with itself whether or not a fault is set.
  for (int hop = 0; hop < 3; ++hop) {
    const RawReply r = raw_exchange(port_, raw_get("/_standin/redirect-loop"));
    EXPECT_EQ(r.status(), 302);
    EXPECT_EQ(r.header("Location"), "/_standin/redirect-loop");
  }
}

TEST_F(ServiceTest, ACountedFaultSpoilsThatManyReplies) {
  service_->faults().set(FaultPlan{.mode = FaultMode::ServerError, .count = 2});
  EXPECT_EQ(raw_exchange(port_, raw_get("/ip.php")).status(), 500);
  // The hooks are never spoilt, and do not count.
  EXPECT_EQ(raw_exchange(port_, raw_get("/_standin/picture-code")).status(), 404);
  EXPECT_EQ(raw_exchange(port_, raw_get("/ip.php")).status(), 500);
  EXPECT_EQ(raw_exchange(port_, raw_get("/ip.php")).status(), 200);
}

TEST_F(ServiceTest, TheHookSetsAndEndsAFault) {
  EXPECT_EQ(raw_exchange(port_, raw_get("/_standin/fault?mode=garbage&count=1")).status(), 200);
  EXPECT_EQ(raw_exchange(port_, raw_get("/ip.php")).status(), 0);
  EXPECT_EQ(raw_exchange(port_, raw_get("/ip.php")).status(), 200);

  EXPECT_EQ(raw_exchange(port_, raw_get("/_standin/fault?mode=delay&time=300")).status(), 200);
  EXPECT_GE(raw_exchange(port_, raw_get("/ip.php")).first_byte_after, milliseconds(300));
  EXPECT_EQ(raw_exchange(port_, raw_get("/_standin/fault?mode=none")).status(), 200);
  EXPECT_LT(raw_exchange(port_, raw_get("/ip.php")).first_byte_after, milliseconds(300));
  EXPECT_TRUE(contains(log_text(), "fault garbage for 1 replies\n")) << log_text();
}

TEST_F(ServiceTest, TheHookRefusesWhatItCannotDo) {
  const char* bad[] = {"/_standin/fault", "/_standin/fault?mode=slow",
                       "/_standin/fault?mode=drip&count=-1", "/_standin/fault?mode=drip&time=x",
                       "/_standin/fault?mode=drip&time=0"};
  for (const char* target : bad) {
    const RawReply r = raw_exchange(port_, raw_get(target));
    EXPECT_EQ(r.status(), 400) << target;
    EXPECT_TRUE(contains(r.body(), gbk("故障设置有误"))) << target;
  }
  EXPECT_EQ(raw_exchange(port_, raw_get("/ip.php")).status(), 200);
}

TEST_F(ServiceTest, AClientCannotNameItsOwnAddress) {
  const RawReply r = raw_exchange(port_, raw_get("/ip.php", "x-standin-peer: 10.9.8.7\r\n"));
  EXPECT_TRUE(contains(r.body(), kEchoPage)) << r.bytes;
  EXPECT_FALSE(contains(r.body(), "10.9.8.7"));
}

TEST_F(ServiceTest, StoppingEndsAHangAtOnce) {
  service_->faults().set(FaultPlan{.mode = FaultMode::Hang});  // 60 s by default
  RawReply hung;
  std::thread client([this, &hung] { hung = raw_exchange(port_, raw_get("/ip.php")); });
  std::this_thread::sleep_for(milliseconds(200));
  const auto before = std::chrono::steady_clock::now();
  service_.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
  client.join();
  EXPECT_EQ(hung.bytes, "");
  EXPECT_NE(hung.ending, Ending::TimedOut);
}

}  // namespace
}  // namespace service_test
