#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "platform/winapi/base/last_error.h"
#include "tests/wininet/raw_server.h"
#include "tests/wininet/wininet_client.h"

extern char** environ;

namespace {

using wininet_test::FetchArgs;
using wininet_test::RawServer;

constexpr const char* kFuture = "; expires=Fri, 01 Jan 2100 00:00:00 GMT";

// Serves `first` to the first request and a plain reply to the others.
RawServer serving_first(std::string first) {
  return RawServer([first](auto& peer, const std::string&, int index) {
    peer.send(index == 0 ? first : wininet_test::reply("ok"));
  });
}

FetchArgs args_for(const std::string& host, int port, const std::string& path = "/") {
  FetchArgs args;
  args.host = host;
  args.port = port;
  args.path = path;
  return args;
}

// The request's Cookie lines, whole.
std::vector<std::string> cookie_lines(const std::string& request) {
  std::vector<std::string> lines;
  for (size_t pos = 0; (pos = request.find("\r\nCookie:", pos)) != std::string::npos; pos += 2) {
    lines.push_back(request.substr(pos + 2, request.find("\r\n", pos + 2) - pos - 2));
  }
  return lines;
}

TEST(CookieExchange, ThreeSetCookieLinesGoBackAsOneCookieLine) {
  RawServer server = serving_first(wininet_test::reply(
      "hi", "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nset-cookie: c=3; HttpOnly\r\n"));
  const std::string host = wininet_test::routed_host(server.port());
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port())).sent);
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port(), "/next")).sent);
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(cookie_lines(requests[0]).empty());
  EXPECT_EQ(cookie_lines(requests[1]), std::vector<std::string>{"Cookie: a=1; b=2; c=3"});
}

TEST(CookieExchange, ProgramStyleSetCookieMatchesWhatTheReplyStored) {
  RawServer server = serving_first(wininet_test::reply("x", "Set-Cookie: sid=abc; path=/\r\n"));
  const std::string host = wininet_test::routed_host(server.port());
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port())).sent);
  // The program hands each Set-Cookie line on: name before '=', the rest as data.
  EXPECT_TRUE(InternetSetCookieA(("http://" + host).c_str(), "sid", "abc; path=/"));
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port())).sent);
  EXPECT_EQ(cookie_lines(server.requests().back()), std::vector<std::string>{"Cookie: sid=abc"});
}

TEST(CookieExchange, DomainMismatchIsRefused) {
  RawServer server =
      serving_first(wininet_test::reply("x", "Set-Cookie: evil=1; domain=other.test\r\n"));
  const std::string host = wininet_test::routed_host(server.port());
  winapi::set_last_error(0);
  EXPECT_FALSE(InternetSetCookieA(("http://" + host + "/").c_str(), "a", "1; domain=other.test"));
  EXPECT_EQ(winapi::last_error(), ERROR_INVALID_PARAMETER);
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port())).sent);
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port())).sent);
  EXPECT_TRUE(cookie_lines(server.requests().back()).empty());
}

TEST(CookieExchange, PastExpiryDeletes) {
  RawServer server = serving_first(wininet_test::reply("x"));
  const std::string host = wininet_test::routed_host(server.port());
  const std::string url = "http://" + host + "/";
  ASSERT_TRUE(InternetSetCookieA(url.c_str(), "p", (std::string("1") + kFuture).c_str()));
  ASSERT_TRUE(InternetSetCookieA(url.c_str(), "s", "2"));
  ASSERT_TRUE(InternetSetCookieA(url.c_str(), "p", "x; expires=Thu, 01 Jan 1970 00:00:01 GMT"));
  ASSERT_TRUE(wininet_test::fetch(args_for(host, server.port())).sent);
  EXPECT_EQ(cookie_lines(server.requests().back()), std::vector<std::string>{"Cookie: s=2"});
}

TEST(CookieExchange, SetCookieRefusesWhatIsNoHttpAddress) {
  winapi::set_last_error(0);
  EXPECT_FALSE(InternetSetCookieA("ftp://h.test/", "a", "1"));
  EXPECT_EQ(winapi::last_error(), ERROR_INTERNET_UNRECOGNIZED_SCHEME);
  EXPECT_FALSE(InternetSetCookieA("http://h.test/", "a", nullptr));
  EXPECT_EQ(winapi::last_error(), ERROR_INVALID_PARAMETER);
}

constexpr const char* kSharedHost = "persist.test";

TEST(CookieExchange, PersistentCookieReachesTheNextProcessSessionCookieDoesNot) {
  const std::string url = std::string("http://") + kSharedHost + "/";
  ASSERT_TRUE(InternetSetCookieA(url.c_str(), "keep", (std::string("1") + kFuture).c_str()));
  ASSERT_TRUE(InternetSetCookieA(url.c_str(), "temp", "2"));
  setenv("WININET_TEST_CHILD", "1", 1);
  const char* argv[] = {"wininet_net_test", "--gtest_filter=CookieChild.*", nullptr};
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, const_cast<char**>(argv), environ);
  unsetenv("WININET_TEST_CHILD");
  ASSERT_EQ(spawned, 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the second process did not send exactly keep=1";
}

// Runs only in the process the test above starts.
TEST(CookieChild, SendsOnlyThePersistentCookie) {
  if (getenv("WININET_TEST_CHILD") == nullptr) {
    GTEST_SKIP() << "runs as the second process of the persistence test";
  }
  RawServer server = serving_first(wininet_test::reply("x"));
  const std::string port = std::to_string(server.port());
  setenv("WININET_CONNECT_TO",
         (std::string(kSharedHost) + ":" + port + ":127.0.0.1:" + port).c_str(), 1);
  ASSERT_TRUE(wininet_test::fetch(args_for(kSharedHost, server.port())).sent);
  EXPECT_EQ(cookie_lines(server.requests().back()), std::vector<std::string>{"Cookie: keep=1"});
}

}  // namespace
