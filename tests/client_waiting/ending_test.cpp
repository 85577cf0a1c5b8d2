// How the program ends from the middle of things: 退出 while a request waits
// ends with the clean-up and status 0, every block given back; a runtime
// error is shown in a box before the process ends with its status. Each case
// runs in a child process of its own (the statement ends the process).
#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/core/binding/runtime_help.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "platform/core/window/window_api.h"
#include "tests/client_service/client_fixture.h"
#include "tests/client_waiting/shown_boxes.h"
#include "tests/client_waiting/stalling_server.h"

namespace client_test {
namespace {

using namespace std::chrono_literals;

class Ending : public ClientFixture {
 protected:
  static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
  void call_close_handle_with_two_words();
};

int g_cleanups = 0;
void count_cleanup() {
  ++g_cleanups;
}

TEST_F(Ending, ExitChosenWhileARequestWaitsEndsWithTheCleanUpAndStatusZero) {
  EXPECT_EXIT(
      {
        setenv("WININET_RECEIVE_TIMEOUT_MS", "30000", 1);
        StallingServer server(std::nullopt, "");
        route_service_to(server.port());
        ShownBoxes boxes;
        binding::runtime_help(abi::help::RegisterCleanup,
                              reinterpret_cast<uintptr_t>(&count_cleanup), 0);
        const size_t blocks_before = core::live_blocks();
        QTimer::singleShot(1000ms, [this] { choose_menu_item("退出"); });
        const auto start = std::chrono::steady_clock::now();

        click("按钮16");

        const auto waited = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "handler returned %s; blocks left %zd; boxes %zu\n",
                     waited < 8s ? "in time" : "late",
                     static_cast<ssize_t>(core::live_blocks() - blocks_before), boxes.boxes.size());
        core::window::run_message_loop();
        // What ExitProgram does, short of the test program's own exit handlers.
        binding::run_cleanup();
        core::window::shut_down();
        std::_Exit(g_cleanups == 1 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "handler returned in time; blocks left 0; boxes 0");
}

// The box is answered as it opens; its text goes to stderr for the parent.
class BoxReporter : public QObject {
 public:
  BoxReporter() { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
      std::fprintf(stderr, "box: %s\n", box->text().toUtf8().constData());
      QTimer::singleShot(0, box, &QMessageBox::accept);
    }
    return false;
  }
};

// InternetCloseHandle takes one word; two unbalance the call.
void Ending::call_close_handle_with_two_words() {
  const uint64_t words[] = {0x104, 0};
  services().call_dll_function(static_cast<uint32_t>(program::Dll::InternetCloseHandle), 2, words);
}

TEST_F(Ending, ARuntimeErrorIsShownInABoxAndEndsWithStatusThree) {
  EXPECT_EXIT(
      {
        BoxReporter reporter;
        call_close_handle_with_two_words();
      },
      testing::ExitedWithCode(core::kRuntimeErrorStatus),
      "box: runtime error 6: a declared DLL function was called with the wrong number of "
      "arguments");
}

}  // namespace
}  // namespace client_test
