#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <string>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/wininet/wininet_exports.h"
#include "tests/wininet/raw_server.h"
#include "tests/wininet/wininet_client.h"

namespace {

using wininet_test::Peer;
using wininet_test::RawServer;

struct Chain {
  HINTERNET internet;
  HINTERNET connection;
  HINTERNET request;
};

Chain open_chain(const std::string& host, int port) {
  Chain c{};
  c.internet = InternetOpenA("UA", INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
  c.connection = InternetConnectA(c.internet, host.c_str(), static_cast<INTERNET_PORT>(port), "",
                                  "", INTERNET_SERVICE_HTTP, 0, 0);
  c.request = HttpOpenRequestA(c.connection, "GET", "/", "HTTP/1.1", "", nullptr, 0, 0);
  return c;
}

struct CloseRow {
  const char* name;
  std::array<int, 3> order;    // 0 internet, 1 connection, 2 request
  std::array<bool, 3> closed;  // what each close in that order returns
};

class CloseOrder : public testing::TestWithParam<CloseRow> {};

// Closing a parent closes its children; a closed handle is then invalid.
TEST_P(CloseOrder, NeverCrashesAndReportsClosedHandles) {
  const auto& row = GetParam();
  // A body far larger than what is buffered, so the transfer is mid-way when closed.
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send("HTTP/1.1 200 OK\r\nContent-Length: 10000000\r\n\r\n" + std::string(1 << 20, 'b'));
  });
  const Chain chain = open_chain(wininet_test::routed_host(server.port()), server.port());
  ASSERT_TRUE(HttpSendRequestA(chain.request, "", 0, nullptr, 0));
  char buffer[512];
  DWORD got = 0;
  ASSERT_TRUE(InternetReadFile(chain.request, buffer, sizeof buffer, &got));
  const HINTERNET handles[] = {chain.internet, chain.connection, chain.request};
  for (size_t i = 0; i < 3; ++i) {
    winapi::set_last_error(0);
    EXPECT_EQ(InternetCloseHandle(handles[row.order[i]]) != 0, row.closed[i]) << i;
    if (!row.closed[i]) {
      EXPECT_EQ(winapi::last_error(), ERROR_INVALID_HANDLE);
    }
  }
  winapi::set_last_error(0);
  EXPECT_FALSE(InternetReadFile(chain.request, buffer, sizeof buffer, &got));
  EXPECT_EQ(winapi::last_error(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(got, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CloseOrder,
    testing::Values(CloseRow{"request_connection_internet", {2, 1, 0}, {true, true, true}},
                    CloseRow{"request_internet_connection", {2, 0, 1}, {true, true, false}},
                    CloseRow{"connection_request_internet", {1, 2, 0}, {true, false, true}},
                    CloseRow{"connection_internet_request", {1, 0, 2}, {true, true, false}},
                    CloseRow{"internet_connection_request", {0, 1, 2}, {true, false, false}},
                    CloseRow{"internet_request_connection", {0, 2, 1}, {true, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Handles, WrongKindsAndMadeUpHandlesAreRefused) {
  const Chain chain = open_chain("h.test", 80);
  ASSERT_NE(chain.request, nullptr);
  struct Case {
    const char* what;
    bool ok;
    DWORD error;
  };
  char buffer[16];
  DWORD length = sizeof buffer;
  DWORD got = 0;
  const auto check = [](const char* what, bool ok, DWORD error) {
    EXPECT_FALSE(ok) << what;
    EXPECT_EQ(winapi::last_error(), error) << what;
  };
  check("connect on a request",
        InternetConnectA(chain.request, "h", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0) != nullptr,
        ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  check("open a request on a session",
        HttpOpenRequestA(chain.internet, "GET", "/", "", "", nullptr, 0, 0) != nullptr,
        ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  check("send on a connection", HttpSendRequestA(chain.connection, "", 0, nullptr, 0) != 0,
        ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  check("read before sending", InternetReadFile(chain.request, buffer, 4, &got) != 0,
        ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  check("query before sending",
        HttpQueryInfoA(chain.request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr) != 0,
        ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  check("read without a count", InternetReadFile(chain.request, buffer, 4, nullptr) != 0,
        ERROR_INVALID_PARAMETER);
  check("close a made-up handle", InternetCloseHandle(reinterpret_cast<HINTERNET>(0x1234)) != 0,
        ERROR_INVALID_HANDLE);
  check("close null", InternetCloseHandle(nullptr) != 0, ERROR_INVALID_HANDLE);
  check("proxy type without proxy",
        InternetOpenA("UA", INTERNET_OPEN_TYPE_PROXY, "", "", 0) != nullptr,
        ERROR_INVALID_PARAMETER);
  check("unknown access type", InternetOpenA("UA", 2, "", "", 0) != nullptr,
        ERROR_INVALID_PARAMETER);
  check("ftp service", InternetConnectA(chain.internet, "h", 21, "", "", 1, 0, 0) != nullptr,
        ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(InternetCloseHandle(chain.internet));
}

// Texts that would end up inside the request head cannot smuggle in lines.
TEST(Handles, TextsThatWouldBreakTheRequestHeadAreRefused) {
  wininet_test::Handle internet(InternetOpenA("UA", INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  wininet_test::Handle connection(
      InternetConnectA(internet.get(), "h.test", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0));
  LPCSTR injected_accept[] = {"text/html\r\nX-Evil: 1", nullptr};
  struct Row {
    const char* what;
    HINTERNET handle;
  };
  const Row rows[] = {
      {"agent", InternetOpenA("UA\r\nX-Evil: 1", INTERNET_OPEN_TYPE_DIRECT, "", "", 0)},
      {"server", InternetConnectA(internet.get(), "h.test\r\nX-Evil: 1", 80, "", "",
                                  INTERNET_SERVICE_HTTP, 0, 0)},
      {"server_with_path",
       InternetConnectA(internet.get(), "h.test/x", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0)},
      {"verb",
       HttpOpenRequestA(connection.get(), "GET /x HTTP/1.0\r\n", "/", "", "", nullptr, 0, 0)},
      {"object",
       HttpOpenRequestA(connection.get(), "GET", "/\r\nX-Evil: 1", "", "", nullptr, 0, 0)},
      {"referer",
       HttpOpenRequestA(connection.get(), "GET", "/", "", "r\nX-Evil: 1", nullptr, 0, 0)},
      {"accept", HttpOpenRequestA(connection.get(), "GET", "/", "", "", injected_accept, 0, 0)},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.handle, nullptr) << row.what;
  }
}

TEST(Handles, NothingListeningFailsTheSend) {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(getsockname(probe, reinterpret_cast<sockaddr*>(&addr), &len), 0);
  close(probe);  // the port is now free and nothing listens on it
  const Chain chain = open_chain("127.0.0.1", ntohs(addr.sin_port));
  winapi::set_last_error(0);
  EXPECT_FALSE(HttpSendRequestA(chain.request, "", 0, nullptr, 0));
  EXPECT_EQ(winapi::last_error(), ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_TRUE(InternetCloseHandle(chain.internet));
}

struct ExportRow {
  const char* name;
  uint32_t words;
};

TEST(Exports, ListEveryFunctionWithItsArgumentWords) {
  const ExportRow expected[] = {{"InternetOpenA", 5},       {"InternetConnectA", 8},
                                {"HttpOpenRequestA", 8},    {"HttpSendRequestA", 5},
                                {"InternetReadFile", 4},    {"HttpQueryInfoA", 5},
                                {"InternetCloseHandle", 1}, {"InternetSetCookieA", 3}};
  const auto rows = wininet_exports();
  ASSERT_EQ(rows.size(), std::size(expected));
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_STREQ(rows[i].name, expected[i].name);
    EXPECT_EQ(rows[i].words, expected[i].words) << expected[i].name;
  }
}

TEST(Exports, ThunkPassesWordsAndReturnsTheResult) {
  const auto rows = wininet_exports();
  const auto close_row = std::find_if(rows.begin(), rows.end(), [](const winapi::DllExport& r) {
    return std::strcmp(r.name, "InternetCloseHandle") == 0;
  });
  ASSERT_NE(close_row, rows.end());
  const HINTERNET internet = InternetOpenA("UA", INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
  const uintptr_t words[] = {reinterpret_cast<uintptr_t>(internet)};
  EXPECT_EQ(close_row->thunk(words), 1u);
  EXPECT_EQ(close_row->thunk(words), 0u);
}

}  // namespace
