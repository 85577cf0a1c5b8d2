// wininet.dll.so, and with it libcurl, is loaded by the program's first
// network call and not before; a program directory without it makes the
// network calls no-ops, and the flows show their failure messages.
#include <httplib.h>
#include <link.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "client/handlers.h"
#include "image/service_addresses.h"
#include "tests/client_local/client_fixture.h"

namespace client_test {
namespace {

using program::Const;

// Whether a loaded file's name ends with `file_name`.
bool loaded(std::string_view file_name) {
  struct Search {
    std::string_view file_name;
    bool found = false;
  } search{file_name};
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        auto* s = static_cast<Search*>(data);
        s->found = std::string_view(info->dlpi_name).ends_with(s->file_name);
        return s->found ? 1 : 0;
      },
      &search);
  return search.found;
}

// A service on a loopback port that accepts every registration, reached
// through the build's service address.
class AcceptingService {
 public:
  AcceptingService() {
    server_.Post(".*", [this](const httplib::Request&, httplib::Response& res) {
      ++requests_;
      res.set_content("6", "text/html");
    });
    const int port = server_.bind_to_any_port("127.0.0.1");
    std::string authority = LANYINBAO_SERVICE_URL_PREFIX;
    authority.erase(0, authority.find("//") + 2);
    authority = authority.substr(0, authority.find('/'));
    if (authority.find(':') == std::string::npos) {
      authority += ":80";
    }
    redirect_.emplace("WININET_CONNECT_TO", authority + ":127.0.0.1:" + std::to_string(port));
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~AcceptingService() {
    server_.stop();
    thread_.join();
  }

  int requests() const { return requests_; }

 private:
  httplib::Server server_;
  std::atomic<int> requests_{0};
  std::optional<test_support::ScopedEnv> redirect_;
  std::thread thread_;
};

class WininetLoading : public ClientTest {
 protected:
  void submit_registration() {
    edit_box("编辑框3")->setText(QString::fromUtf8("13800138000"));
    edit_box("编辑框4")->setText(QString::fromUtf8("4711"));
    SubmitRegistration();
  }
  AcceptingService service_;
};

TEST_F(WininetLoading, TheWindowShowsWithoutItAndTheFirstRequestLoadsIt) {
  ASSERT_NE(window(), nullptr);
  ASSERT_TRUE(window()->isVisible());
  EXPECT_FALSE(loaded("/wininet.dll.so"));
  EXPECT_FALSE(loaded("/libcurl.so.4"));

  submit_registration();
  EXPECT_TRUE(loaded("/wininet.dll.so"));
  EXPECT_TRUE(loaded("/libcurl.so.4"));
  EXPECT_EQ(service_.requests(), 1);
  EXPECT_EQ(messages, std::vector<std::string>{utf8(Const::RegistrationDone)});
}

// The program directory with every stand-in but wininet.
class WithoutWininet : public WininetLoading {
 protected:
  void SetUp() override {
    for (const char* file : {"kernel32.dll.so", "user32.dll.so", "advapi32.dll.so"}) {
      std::filesystem::create_symlink(std::filesystem::path(ClientTest::program_dir()) / file,
                                      directory_.path() / file);
    }
    WininetLoading::SetUp();
  }
  std::string program_directory() const override { return directory_.path().string(); }

  test_support::TempDir directory_;
};

TEST_F(WithoutWininet, NetworkCallsDoNothingAndTheFlowReportsARefusal) {
  submit_registration();
  EXPECT_EQ(service_.requests(), 0) << "no request leaves without wininet";
  EXPECT_EQ(messages, std::vector<std::string>{utf8(Const::RegistrationRefused)});
  bool opened = false;
  for (const DllCall& call : dll_calls()) {
    opened = opened || call.function == program::Dll::InternetOpenA;
  }
  EXPECT_TRUE(opened) << "the flow did call into wininet";
}

}  // namespace
}  // namespace client_test
