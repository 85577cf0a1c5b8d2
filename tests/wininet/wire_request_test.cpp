#include <gtest/gtest.h>

#include <string>

#include "platform/winapi/base/last_error.h"
#include "tests/wininet/raw_server.h"
#include "tests/wininet/wininet_client.h"

namespace {

using wininet_test::FetchArgs;
using wininet_test::RawServer;

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
  for (size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size()) {
    text.replace(pos, from.size(), to);
  }
  return text;
}

RawServer ok_server() {
  return RawServer(
      [](auto& peer, const std::string&, int) { peer.send(wininet_test::reply("done")); });
}

struct WireRow {
  const char* name;
  const char* verb;
  const char* path;
  std::string headers;
  std::string body;
  // The exact request; {host} is the Host header's value, {agent} the agent.
  std::string expected;
};

class ExactRequest : public testing::TestWithParam<WireRow> {};

TEST_P(ExactRequest, CarriesCallerLinesThenWinInetsOwn) {
  const auto& row = GetParam();
  RawServer server = ok_server();
  FetchArgs args;
  args.host = wininet_test::routed_host(server.port());
  args.port = server.port();
  args.verb = row.verb;
  args.path = row.path;
  args.headers = row.headers;
  args.body = row.body;
  const auto fetched = wininet_test::fetch(args);
  ASSERT_TRUE(fetched.sent) << fetched.send_error;
  EXPECT_EQ(fetched.body, "done");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  std::string expected = replace_all(row.expected, "{agent}", kAgent);
  expected = replace_all(expected, "{host}", args.host + ":" + std::to_string(server.port()));
  EXPECT_EQ(requests[0], expected);
}

const std::string kProgramHeaders =
    "Accept: image/gif, */*\r\nReferer: http://127.0.0.1:8600/p.php\r\nAccept-Language: zh-cn\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, ExactRequest,
    testing::Values(
        WireRow{"get_with_program_headers", "GET", "/p.php?class=giving&hash=1", kProgramHeaders,
                "",
                "GET /p.php?class=giving&hash=1 HTTP/1.1\r\n" + kProgramHeaders +
                    "User-Agent: {agent}\r\nHost: {host}\r\n\r\n"},
        WireRow{"post_form", "POST", "/url.php",
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 12\r\n",
                "tel=1&x=\xD6\xD0\xCE\xC4",
                "POST /url.php HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                "Content-Length: 12\r\nUser-Agent: {agent}\r\nHost: {host}\r\n\r\n"
                "tel=1&x=\xD6\xD0\xCE\xC4"},
        WireRow{"empty_post_says_length_zero", "POST", "/url.php", "", "",
                "POST /url.php HTTP/1.1\r\nUser-Agent: {agent}\r\nHost: {host}\r\n"
                "Content-Length: 0\r\n\r\n"},
        WireRow{"post_without_caller_length", "POST", "/a", "X-A: 1\r\n", "abc",
                "POST /a HTTP/1.1\r\nX-A: 1\r\nUser-Agent: {agent}\r\nHost: {host}\r\n"
                "Content-Length: 3\r\n\r\nabc"},
        WireRow{"duplicate_wrong_length_becomes_one_true_length", "POST", "/a",
                "Content-Length: 3\r\nX-A: 1\r\nContent-Length: 30\r\n", "abc",
                "POST /a HTTP/1.1\r\nContent-Length: 3\r\nX-A: 1\r\nUser-Agent: {agent}\r\n"
                "Host: {host}\r\n\r\nabc"},
        WireRow{"caller_host_and_agent_win", "GET", "/", "Host: virtual.test\r\nUser-Agent: me\r\n",
                "", "GET / HTTP/1.1\r\nHost: virtual.test\r\nUser-Agent: me\r\n\r\n"},
        WireRow{
            "empty_caller_value_and_no_final_crlf", "GET", "/", "X-Empty:\r\nX-B: 2", "",
            "GET / HTTP/1.1\r\nX-Empty:\r\nX-B: 2\r\nUser-Agent: {agent}\r\nHost: {host}\r\n\r\n"},
        WireRow{"path_sent_as_given", "GET", "/a/../b/./c?x=%41", "", "",
                "GET /a/../b/./c?x=%41 HTTP/1.1\r\nUser-Agent: {agent}\r\nHost: {host}\r\n\r\n"},
        WireRow{"other_verb_gets_length", "DELETE", "/item", "", "",
                "DELETE /item HTTP/1.1\r\nUser-Agent: {agent}\r\nHost: {host}\r\n"
                "Content-Length: 0\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExactRequest, DefaultPortLeavesItOutOfHost) {
  RawServer server = ok_server();
  const std::string host = wininet_test::routed_host(server.port());
  // Route the host's port 80 to the test server, then ask for port 0 and 80.
  setenv("WININET_CONNECT_TO", (host + ":80:127.0.0.1:" + std::to_string(server.port())).c_str(),
         1);
  for (int port : {0, 80}) {
    FetchArgs args;
    args.host = host;
    args.port = port;
    ASSERT_TRUE(wininet_test::fetch(args).sent) << port;
  }
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  for (const auto& request : requests) {
    EXPECT_NE(request.find("\r\nHost: " + host + "\r\n"), std::string::npos) << request;
  }
  unsetenv("WININET_CONNECT_TO");
}

TEST(ExactRequest, LargeBodyIsSentWithoutExpectContinue) {
  RawServer server = ok_server();
  FetchArgs args;
  args.host = wininet_test::routed_host(server.port());
  args.port = server.port();
  args.verb = "POST";
  args.body = std::string(600 * 1024, 'b');
  ASSERT_TRUE(wininet_test::fetch(args).sent);
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  const std::string head = requests[0].substr(0, requests[0].find("\r\n\r\n") + 4);
  EXPECT_EQ(head, "POST / HTTP/1.1\r\nUser-Agent: " + std::string(kAgent) +
                      "\r\nHost: " + args.host + ":" + std::to_string(server.port()) +
                      "\r\nContent-Length: 614400\r\n\r\n");
  EXPECT_EQ(requests[0].size(), head.size() + args.body.size());
}

TEST(ExactRequest, MalformedCallerHeaderIsRefusedBeforeConnecting) {
  RawServer server = ok_server();
  FetchArgs args;
  args.host = wininet_test::routed_host(server.port());
  args.port = server.port();
  args.headers = "Accept: */*\r\nno colon here\r\n";
  const auto fetched = wininet_test::fetch(args);
  EXPECT_FALSE(fetched.sent);
  EXPECT_EQ(fetched.send_error, ERROR_HTTP_INVALID_HEADER);
  EXPECT_TRUE(server.requests().empty());
}

TEST(ExactRequest, SecureFlagSpeaksTls) {
  RawServer server([](auto&, const std::string&, int) {});
  FetchArgs args;
  args.host = wininet_test::routed_host(server.port());
  args.port = server.port();
  args.flags |= INTERNET_FLAG_SECURE;
  const auto fetched = wininet_test::fetch(args);
  EXPECT_FALSE(fetched.sent);
  EXPECT_NE(fetched.send_error, 0u);
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  // A TLS handshake record, not a plain request line.
  ASSERT_GE(requests[0].size(), 2u);
  EXPECT_EQ(requests[0][0], '\x16');
  EXPECT_EQ(requests[0][1], '\x03');
}

TEST(ExactRequest, ProxyGetsTheAbsoluteAddressAndNoProxyConnection) {
  RawServer proxy = ok_server();
  wininet_test::Handle internet(
      InternetOpenA("UA", INTERNET_OPEN_TYPE_PROXY,
                    ("http=127.0.0.1:" + std::to_string(proxy.port())).c_str(), "", 0));
  wininet_test::Handle connection(
      InternetConnectA(internet.get(), "far.test", 0, "", "", INTERNET_SERVICE_HTTP, 0, 0));
  wininet_test::Handle request(HttpOpenRequestA(connection.get(), "GET", "/x?y=1", "HTTP/1.1", "",
                                                nullptr, INTERNET_FLAG_RELOAD, 0));
  ASSERT_TRUE(HttpSendRequestA(request.get(), "", 0, nullptr, 0)) << winapi::last_error();
  const auto requests = proxy.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0],
            "GET http://far.test/x?y=1 HTTP/1.1\r\nUser-Agent: UA\r\nHost: far.test\r\n\r\n");
}

}  // namespace
