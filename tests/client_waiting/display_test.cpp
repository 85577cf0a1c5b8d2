// The program file run as a user runs it, ended from outside: its display
// goes away (a virtual X server is killed under it), or it is sent SIGTERM
// or SIGINT. It must end with a documented status and no signal of its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kDisplayLostStatus = 6;

fs::path program_dir() {
  return std::getenv("LYB_PROGRAM_DIR");
}

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts `argv`; `fd3` (when not -1) becomes the child's descriptor 3.
pid_t spawn(std::vector<std::string> argv, std::vector<std::string> env, const fs::path& err,
            int fd3 = -1) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd3 >= 0) {
    posix_spawn_file_actions_adddup2(&actions, fd3, 3);
  }
  std::vector<char*> args;
  for (std::string& a : argv) {
    args.push_back(a.data());
  }
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : env) {
    envp.push_back(e.data());
  }
  envp.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
    pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// The exit status, 1000 + the signal when one ended it, or nothing when it
// did not end in time (it is then killed).
std::optional<int> wait_for(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(20ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

bool on_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  for (size_t start = 0; start <= dirs.size();) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    if (fs::exists(fs::path(dirs.substr(start, end - start)) / name)) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

class ProgramEnded : public testing::Test {
 protected:
  // The program's environment: its own home, no service (requests fail at
  // once), sanitizer settings and PATH passed through.
  std::vector<std::string> environment(std::vector<std::string> given) const {
    const std::string home = home_.path().string();
    for (std::string e : {"HOME=" + home, "XDG_DATA_HOME=" + home + "/data",
                          "XDG_CONFIG_HOME=" + home + "/config", "XDG_RUNTIME_DIR=" + home,
                          std::string("WININET_CONNECT_TO=127.0.0.1:8600:127.0.0.1:9")}) {
      given.push_back(e);
    }
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string s = *e;
      if (s.starts_with("ASAN_") || s.starts_with("LSAN_") || s.starts_with("UBSAN_") ||
          s.starts_with("PATH=")) {
        given.push_back(s);
      }
    }
    return given;
  }

  pid_t start_program(std::vector<std::string> env) {
    return spawn({(program_dir() / "lanyinbao").string()}, environment(std::move(env)),
                 home_.path() / "program.err");
  }

  std::string program_err() const { return read_file(home_.path() / "program.err"); }

  test_support::TempDir home_;
};

TEST_F(ProgramEnded, LosingTheDisplayEndsWithItsStatusAndOneLine) {
  if (!on_path("Xvfb")) {
    GTEST_SKIP() << "Xvfb is not installed";
  }
  int display_pipe[2];
  ASSERT_EQ(pipe2(display_pipe, O_CLOEXEC), 0);
  const pid_t server =
      spawn({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "1024x768x24"},
            environment({}), home_.path() / "xvfb.err", display_pipe[1]);
  close(display_pipe[1]);
  ASSERT_GT(server, 0);
  std::string display;
  char c;
  while (read(display_pipe[0], &c, 1) == 1 && c != '\n') {
    display += c;
  }
  close(display_pipe[0]);
  ASSERT_FALSE(display.empty()) << read_file(home_.path() / "xvfb.err");

  const pid_t program =
      start_program({"DISPLAY=:" + display, "QT_QPA_PLATFORM=xcb", "WINAPI_MSGBOX=stderr"});
  ASSERT_GT(program, 0);
  std::this_thread::sleep_for(3s);  // the window is up and the loop runs
  kill(server, SIGKILL);
  wait_for(server, 10s);

  const std::optional<int> status = wait_for(program, 30s);
  ASSERT_TRUE(status) << "the program did not end when its display went away";
  EXPECT_EQ(*status, kDisplayLostStatus) << program_err();
  EXPECT_NE(program_err().find("krnln: the connection to the display was lost\n"),
            std::string::npos)
      << program_err();
}

class EndSignal : public ProgramEnded, public testing::WithParamInterface<int> {};

TEST_P(EndSignal, EndsThroughTheCleanUpWithStatusZero) {
  const pid_t program = start_program({"QT_QPA_PLATFORM=offscreen", "WINAPI_MSGBOX=stderr"});
  ASSERT_GT(program, 0);
  std::this_thread::sleep_for(2s);
  kill(program, GetParam());

  const std::optional<int> status = wait_for(program, 30s);
  ASSERT_TRUE(status) << "the program did not end on the signal";
  EXPECT_EQ(*status, 0) << program_err();
}

INSTANTIATE_TEST_SUITE_P(Signals, EndSignal, testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return info.param == SIGTERM ? "Term" : "Int"; });

}  // namespace
