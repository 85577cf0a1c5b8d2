// The program file and the stand-in service binary, each in its own process:
// the program's requests for the build-time service address reach the
// service on an ephemeral port through the platform's connect-to redirect.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path program_dir() {
  return std::getenv("LYB_PROGRAM_DIR");
}

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sanitizers' settings and PATH pass through; everything else is given.
std::vector<std::string> environment(std::vector<std::string> given) {
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string s = *e;
    if (s.starts_with("ASAN_") || s.starts_with("LSAN_") || s.starts_with("UBSAN_") ||
        s.starts_with("PATH=")) {
      given.push_back(s);
    }
  }
  return given;
}

// Starts `argv` with its standard output going to `out` and its standard
// error to `err`; returns the process id, or -1.
pid_t spawn(std::vector<std::string> argv, std::vector<std::string> env, const fs::path& out,
            const fs::path& err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
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
  const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

// The exit status, or -1 when the process had to be killed after `limit`.
int wait_for(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ProgramWithService : public ::testing::Test {
 protected:
  void SetUp() override {
    service_pid_ = spawn({(program_dir() / "lanyinbao-service").string(), "--port", "0", "--log",
                          home_ / "service.log"},
                         environment({}), home_ / "service.out", home_ / "service.err");
    ASSERT_GT(service_pid_, 0);
    // The service names its port on its first line once it listens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (port_ <= 0 && std::chrono::steady_clock::now() < deadline) {
      const std::string out = read_file(home_.path() / "service.out");
      const size_t colon = out.rfind(':');
      if (out.find('\n') != std::string::npos && colon != std::string::npos) {
        port_ = std::atoi(out.c_str() + colon + 1);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_GT(port_, 0) << read_file(home_.path() / "service.err");
  }

  void TearDown() override {
    if (service_pid_ > 0) {
      kill(service_pid_, SIGTERM);
      EXPECT_EQ(wait_for(service_pid_, std::chrono::seconds(20)), 0);
    }
  }

  int run_program() {
    const std::string home = home_.path().string();
    const pid_t pid = spawn(
        {(program_dir() / "lanyinbao").string()},
        environment({"LYB_CLOSE_AFTER_MS=500", "QT_QPA_PLATFORM=offscreen", "WINAPI_MSGBOX=stderr",
                     "WININET_CONNECT_TO=127.0.0.1:8600:127.0.0.1:" + std::to_string(port_),
                     "HOME=" + home, "XDG_DATA_HOME=" + home + "/data",
                     "XDG_CONFIG_HOME=" + home + "/config", "XDG_RUNTIME_DIR=" + home}),
        home_.path() / "program.out", home_.path() / "program.err");
    EXPECT_GT(pid, 0);
    return pid > 0 ? wait_for(pid, std::chrono::seconds(60)) : -1;
  }

  test_support::TempDir home_;
  pid_t service_pid_ = -1;
  int port_ = 0;
};

TEST_F(ProgramWithService, StartsAndClosesWithStatusZeroWhileTheServiceRuns) {
  EXPECT_EQ(run_program(), 0);
  const std::string err = read_file(home_.path() / "program.err");
  for (const char* fault :
       {"cannot be started", "runtime error", "LeakSanitizer", "ERROR: AddressSanitizer"}) {
    EXPECT_EQ(err.find(fault), std::string::npos) << err;
  }
  // The service outlived the program and still answers.
  httplib::Client client("127.0.0.1", port_);
  const auto reply = client.Get("/ip.php");
  ASSERT_TRUE(reply);
  EXPECT_NE(reply->body.find("<h2>127.0.0.1</h2>"), std::string::npos) << reply->body;
}

TEST_F(ProgramWithService, TwoRunsInARowBothEndCleanly) {
  EXPECT_EQ(run_program(), 0);
  EXPECT_EQ(run_program(), 0) << read_file(home_.path() / "program.err");
}

}  // namespace
