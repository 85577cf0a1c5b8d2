// The program's window while a request to the real wininet.dll waits: the
// watchdog's warning comes while the voice-code request still waits, the
// window keeps handling timers and clicks, the busy cursor shows and goes,
// and 退出 during a wait ends the program through the clean-up.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/binding/runtime_help.h"
#include "platform/core/memory/memory.h"
#include "platform/core/window/window_api.h"
#include "tests/client_waiting/stalling_server.h"
#include "tests/client_waiting_win32/program_window.h"
#include "ui/control_ids.h"

namespace client_test {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

constexpr char kVoiceCodeComing[] =
    "请稍等,语音验证码将在5分钟内以电话语音的方式告诉你，请将听到的数字填入框中！！";
constexpr char kCheckNetwork[] = "请检查你的网络是否正常！！！！";

milliseconds since(std::chrono::steady_clock::time_point start,
                   std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now()) {
  return std::chrono::duration_cast<milliseconds>(now - start);
}

class Waiting : public ProgramWindow {};

// --- the watchdog against a server that never answers ---

TEST_F(Waiting, TheWatchdogWarnsWhileTheVoiceCodeRequestStillWaits) {
  auto server = std::make_unique<StallingServer>(std::nullopt, "");
  route_service_to(server->port());
  type_into(ui::id::编辑框3, "13800138000");
  // Wine's WinINet may wait longer than a test should; the server then drops
  // the connection, which ends the request as a time-out would.
  during(15'000ms, [&] { server.reset(); });
  const auto start = std::chrono::steady_clock::now();

  click(ui::id::按钮16);

  const milliseconds request_ended = since(start);
  ASSERT_EQ(box_texts(), (std::vector<std::string>{kCheckNetwork, kVoiceCodeComing}));
  const milliseconds warning = boxes[0].at - since(started(), start);
  std::printf("watchdog warning after %lld ms; the request ended after %lld ms\n",
              static_cast<long long>(warning.count()),
              static_cast<long long>(request_ended.count()));
  EXPECT_GE(warning, 9'000ms);
  EXPECT_LT(warning, 12'000ms);
  EXPECT_LT(warning, request_ended) << "the warning must come while the request still waits";
}

// --- the window during a stalled request ---

int g_ticks = 0;
void CALLBACK count_tick(HWND, UINT, UINT_PTR, DWORD) {
  ++g_ticks;
}

TEST_F(Waiting, TheWindowStaysAliveWhileARequestStalls) {
  StallingServer server(3'000ms, "ok");
  route_service_to(server.port());
  g_ticks = 0;
  const UINT_PTR counter = SetTimer(nullptr, 0, 20, count_tick);
  int ticks_at_1s = -1;
  bool busy_during = false;
  std::string dialled_during;
  during(300ms, [&] { busy_during = busy_cursor_over(ui::id::选择夹1); });
  during(600ms, [&] { click(ui::id::按钮3); });   // the keypad's "1"
  during(700ms, [&] { click(ui::id::按钮16); });  // the same handler again: dropped
  during(1000ms, [&] {
    ticks_at_1s = g_ticks;
    dialled_during = text_of(ui::id::拨打电话);
  });
  const auto start = std::chrono::steady_clock::now();

  click(ui::id::按钮16);

  const milliseconds waited = since(start);
  KillTimer(nullptr, counter);
  EXPECT_GE(waited, 2'500ms) << "the handler waits for its request";
  EXPECT_GE(ticks_at_1s, 10) << "timer events are delivered every 20 ms while the request waits";
  EXPECT_TRUE(dialled_during.ends_with("1")) << "another button's handler ran: " << dialled_during;
  EXPECT_TRUE(busy_during);
  EXPECT_FALSE(busy_cursor_over(ui::id::选择夹1));
  EXPECT_EQ(server.requests(), 1) << "a second click on 提交 while it waits starts nothing";
  EXPECT_EQ(box_texts(), (std::vector<std::string>{kVoiceCodeComing}));
}

// --- the busy cursor, however the request ends ---

enum class Ending { Success, Refused, ConnectionDropped };

struct EndingRow {
  const char* name;
  Ending ending;
  bool lasts;  // long enough to look at the cursor during the request
};

const EndingRow kEndings[] = {
    {"Success", Ending::Success, true},
    {"Refused", Ending::Refused, false},
    {"ConnectionDropped", Ending::ConnectionDropped, true},
};

class BusyCursor : public ProgramWindow, public testing::WithParamInterface<EndingRow> {};

TEST_P(BusyCursor, ShowsDuringTheRequestAndGoesAfterIt) {
  const EndingRow& row = GetParam();
  auto server = std::make_unique<StallingServer>(
      row.ending == Ending::Success ? std::optional(600ms) : std::nullopt, "ok");
  route_service_to(server->port());
  if (row.ending == Ending::Refused) {
    server.reset();  // nothing listens on its port any more
  } else if (row.ending == Ending::ConnectionDropped) {
    during(1'000ms, [&] { server.reset(); });
  }
  bool busy_during = false;
  during(300ms, [&] { busy_during = busy_cursor_over(ui::id::选择夹1); });

  click(ui::id::按钮16);

  if (row.lasts) {
    EXPECT_TRUE(busy_during);
  }
  EXPECT_FALSE(busy_cursor_over(ui::id::选择夹1));
  EXPECT_EQ(box_texts(), (std::vector<std::string>{kVoiceCodeComing}));
}

INSTANTIATE_TEST_SUITE_P(Endings, BusyCursor, testing::ValuesIn(kEndings),
                         [](const auto& info) { return std::string(info.param.name); });

// --- 退出 during a wait ---

std::chrono::steady_clock::time_point g_exit_chosen;
const std::vector<ShownBox>* g_boxes = nullptr;

// Reports, as the program's clean-up routine, how long after 退出 it ran and
// whether a message box opened after it.
void report_cleanup() {
  const auto after = since(g_exit_chosen);
  std::fprintf(stderr, "clean-up %s 8 s after the choice; boxes %zu\n",
               after < 8000ms ? "within" : "later than", g_boxes->size());
  std::fflush(stderr);
}

// Closing the request's handle does not end a receive that Wine's WinINet
// is blocked in, and the server here never answers: 3 s after the cancel the
// program ends from inside the wait, through its clean-up, with status 0.
TEST_F(Waiting, ExitChosenWhileARequestWaitsEndsWithTheCleanUpAndStatusZero) {
  EXPECT_EXIT(
      {
        auto server = std::make_unique<StallingServer>(std::nullopt, "");
        route_service_to(server->port());
        g_boxes = &boxes;
        binding::runtime_help(abi::help::RegisterCleanup,
                              reinterpret_cast<uintptr_t>(&report_cleanup), 0);
        during(1000ms, [this] {
          g_exit_chosen = std::chrono::steady_clock::now();
          choose_menu_item(L"\u9000\u51fa");  // 退出
        });
        // Should the program still wait, the handler returns when the
        // server goes, and the test fails below.
        during(20'000ms, [&] { server.reset(); });

        click(ui::id::按钮16);

        std::fprintf(stderr, "the handler returned after %lld ms\n",
                     static_cast<long long>(since(g_exit_chosen).count()));
        std::_Exit(1);
      },
      testing::ExitedWithCode(0), "clean-up within 8 s after the choice; boxes 0");
}

}  // namespace
}  // namespace client_test
