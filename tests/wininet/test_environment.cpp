// Every net test runs with a cookie file of its own and no proxy from the
// environment, so nothing of the user's leaks in or out.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

namespace {

class PrivateEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    // A child process started by a test brings its parent's folder along.
    if (getenv("WININET_TEST_CHILD") != nullptr) {
      return;
    }
    char pattern[] = "/tmp/wininet_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("XDG_DATA_HOME", pattern, 1);
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                             "ALL_PROXY", "WININET_CONNECT_TO", "WININET_RECEIVE_TIMEOUT_MS"}) {
      unsetenv(name);
    }
  }
  void TearDown() override {
    if (!dir_.empty()) {
      std::filesystem::remove_all(dir_);
    }
  }

 private:
  std::filesystem::path dir_;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new PrivateEnvironment);

}  // namespace
