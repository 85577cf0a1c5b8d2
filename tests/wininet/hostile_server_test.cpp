#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime; GCC ships no header for it.
extern "C" void __sanitizer_purge_allocator();
#endif

#include "platform/winapi/base/last_error.h"
#include "tests/wininet/raw_server.h"
#include "tests/wininet/wininet_client.h"

namespace {

using wininet_test::FetchArgs;
using wininet_test::Peer;
using wininet_test::RawServer;
using Clock = std::chrono::steady_clock;

FetchArgs args_for(const RawServer& server) {
  FetchArgs args;
  args.host = wininet_test::routed_host(server.port());
  args.port = server.port();
  return args;
}

enum class Then { kClose, kReset };

struct BodyRow {
  const char* name;
  std::string reply;
  Then then;
  bool read_ok;
  std::string body;
  DWORD read_error;
};

class HostileBody : public testing::TestWithParam<BodyRow> {};

TEST_P(HostileBody, ReadsToTheEndOrFails) {
  const auto& row = GetParam();
  RawServer server([&row](Peer& peer, const std::string&, int) {
    peer.send(row.reply);
    if (row.then == Then::kReset) {
      // Let the client take the bytes in before the connection is torn down.
      peer.stall(std::chrono::milliseconds(300));
      peer.reset();
    }
  });
  const auto fetched = wininet_test::fetch(args_for(server));
  ASSERT_TRUE(fetched.sent) << fetched.send_error;
  EXPECT_EQ(fetched.read_ok, row.read_ok);
  EXPECT_EQ(fetched.body, row.body);
  EXPECT_EQ(fetched.read_error, row.read_error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileBody,
    testing::Values(
        BodyRow{"no_body", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", Then::kClose, true, "",
                0},
        BodyRow{"no_length_ends_at_close", "HTTP/1.1 200 OK\r\n\r\nabc", Then::kClose, true, "abc",
                0},
        BodyRow{"close_before_length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc",
                Then::kClose, true, "abc", 0},
        BodyRow{
            "chunked_invisible",
            "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n",
            Then::kClose, true, "abcde", 0},
        BodyRow{"broken_chunking",
                "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\nZZ\r\nxx",
                Then::kClose, false, "abc", ERROR_INTERNET_CONNECTION_RESET},
        BodyRow{"reset_mid_body",
                "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(2000, 'r'),
                Then::kReset, false, std::string(2000, 'r'), ERROR_INTERNET_CONNECTION_RESET},
        BodyRow{"error_status_body_still_read",
                "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 4\r\n\r\noops", Then::kClose,
                true, "oops", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SendRow {
  const char* name;
  std::string reply;
  DWORD error;
};

class HostileHead : public testing::TestWithParam<SendRow> {};

TEST_P(HostileHead, SendFails) {
  const auto& row = GetParam();
  RawServer server([&row](Peer& peer, const std::string&, int) { peer.send(row.reply); });
  const auto fetched = wininet_test::fetch(args_for(server));
  EXPECT_FALSE(fetched.sent);
  EXPECT_EQ(fetched.send_error, row.error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileHead,
    testing::Values(SendRow{"closes_without_reply", "", ERROR_HTTP_INVALID_SERVER_RESPONSE},
                    SendRow{"not_http", "HELLO THERE\r\n\r\n", ERROR_HTTP_INVALID_SERVER_RESPONSE},
                    SendRow{"headers_cut_short", "HTTP/1.1 200 OK\r\nContent-Le",
                            ERROR_HTTP_INVALID_SERVER_RESPONSE}),
    [](const auto& info) { return std::string(info.param.name); });

class ShortReceiveTimeout : public testing::Test {
 protected:
  void SetUp() override { setenv("WININET_RECEIVE_TIMEOUT_MS", "300", 1); }
  void TearDown() override { unsetenv("WININET_RECEIVE_TIMEOUT_MS"); }
};

TEST_F(ShortReceiveTimeout, StallBeforeHeadersFailsTheSend) {
  RawServer server(
      [](Peer& peer, const std::string&, int) { peer.stall(std::chrono::seconds(10)); });
  const auto start = Clock::now();
  const auto fetched = wininet_test::fetch(args_for(server));
  EXPECT_FALSE(fetched.sent);
  EXPECT_EQ(fetched.send_error, ERROR_INTERNET_TIMEOUT);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
}

TEST_F(ShortReceiveTimeout, StallInTheBodyFailsTheReadAfterTheBytesSoFar) {
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc");
    peer.stall(std::chrono::seconds(10));
  });
  const auto start = Clock::now();
  const auto fetched = wininet_test::fetch(args_for(server));
  ASSERT_TRUE(fetched.sent);
  EXPECT_EQ(fetched.body, "abc");
  EXPECT_FALSE(fetched.read_ok);
  EXPECT_EQ(fetched.read_error, ERROR_INTERNET_TIMEOUT);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
}

TEST_F(ShortReceiveTimeout, SlowButSteadyServerIsNotCutOff) {
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n");
    for (int i = 0; i < 5; ++i) {
      peer.stall(std::chrono::milliseconds(150));
      peer.send("x");
    }
  });
  const auto fetched = wininet_test::fetch(args_for(server));
  ASSERT_TRUE(fetched.sent);
  EXPECT_TRUE(fetched.read_ok) << fetched.read_error;
  EXPECT_EQ(fetched.body, "xxxxx");
}

std::string filler_headers(size_t bytes) {
  std::string headers;
  for (int i = 0; headers.size() < bytes; ++i) {
    headers += "X-Filler-" + std::to_string(i) + ": " + std::string(50, 'f') + "\r\n";
  }
  return headers;
}

TEST(RawHeaders, SixtyFourKilobytesOfHeaders) {
  const std::string filler = filler_headers(64 * 1024);
  RawServer server([&filler](Peer& peer, const std::string&, int) {
    peer.send(wininet_test::reply("ok", filler + "Set-Cookie: late=1\r\n"));
  });
  const auto fetched = wininet_test::fetch(args_for(server));
  ASSERT_TRUE(fetched.sent) << fetched.send_error;
  EXPECT_EQ(fetched.body, "ok");
  EXPECT_EQ(fetched.raw_headers,
            "HTTP/1.1 200 OK\r\n" + filler + "Set-Cookie: late=1\r\nContent-Length: 2\r\n\r\n");
}

TEST(RawHeaders, InterimReplyIsNotTheReply) {
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send("HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\n" + wininet_test::reply("ok"));
  });
  const auto fetched = wininet_test::fetch(args_for(server));
  ASSERT_TRUE(fetched.sent);
  EXPECT_EQ(fetched.status, 200u);
  EXPECT_EQ(fetched.body, "ok");
  EXPECT_EQ(fetched.raw_headers, "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n");
}

TEST(RawHeaders, BufferSizesFollowWindows) {
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send("HTTP/1.1 200 OK\r\nA: 1\r\nContent-Length: 0\r\n\r\n");
  });
  FetchArgs args = args_for(server);
  wininet_test::Handle internet(InternetOpenA("UA", INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  wininet_test::Handle connection(InternetConnectA(internet.get(), args.host.c_str(),
                                                   static_cast<INTERNET_PORT>(args.port), "", "",
                                                   INTERNET_SERVICE_HTTP, 0, 0));
  wininet_test::Handle request(
      HttpOpenRequestA(connection.get(), "GET", "/", "HTTP/1.1", "", nullptr, 0, 0));
  ASSERT_TRUE(HttpSendRequestA(request.get(), "", 0, nullptr, 0));
  const std::string expected = "HTTP/1.1 200 OK\r\nA: 1\r\nContent-Length: 0\r\n\r\n";
  const DWORD size = static_cast<DWORD>(expected.size());

  char buffer[128];
  for (DWORD given : {DWORD{0}, size - 1, size}) {
    DWORD length = given;
    winapi::set_last_error(0);
    EXPECT_FALSE(
        HttpQueryInfoA(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
    EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER) << given;
    EXPECT_EQ(length, size + 1) << given;
  }
  DWORD length = 0;
  EXPECT_FALSE(
      HttpQueryInfoA(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr));
  EXPECT_EQ(length, size + 1);
  length = size + 1;
  ASSERT_TRUE(HttpQueryInfoA(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
  EXPECT_EQ(length, size);
  EXPECT_EQ(std::string(buffer), expected);
  winapi::set_last_error(0);
  EXPECT_FALSE(HttpQueryInfoA(request.get(), 9999, buffer, &length, nullptr));
  EXPECT_EQ(winapi::last_error(), ERROR_HTTP_INVALID_QUERY_REQUEST);
}

long resident_kib() {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer keeps freed blocks in quarantine; they are not ours to count.
  __sanitizer_purge_allocator();
#endif
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

TEST(Streaming, SixtyFourMegabytesReadInSmallPiecesWithBoundedMemory) {
  constexpr size_t kBody = 64u << 20;
  RawServer server([](Peer& peer, const std::string&, int) {
    if (!peer.send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kBody) + "\r\n\r\n")) {
      return;
    }
    const std::string block(64 * 1024, 'z');
    for (size_t sent = 0; sent < kBody && peer.send(block); sent += block.size()) {
    }
  });
  FetchArgs args = args_for(server);
  wininet_test::Handle internet(InternetOpenA("UA", INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  wininet_test::Handle connection(InternetConnectA(internet.get(), args.host.c_str(),
                                                   static_cast<INTERNET_PORT>(args.port), "", "",
                                                   INTERNET_SERVICE_HTTP, 0, 0));
  wininet_test::Handle request(
      HttpOpenRequestA(connection.get(), "GET", "/", "HTTP/1.1", "", nullptr, 0, 0));
  ASSERT_TRUE(HttpSendRequestA(request.get(), "", 0, nullptr, 0));
  const long baseline = resident_kib();
  long peak = baseline;
  size_t total = 0;
  char buffer[512];
  for (size_t reads = 0;; ++reads) {
    DWORD got = 0;
    ASSERT_TRUE(InternetReadFile(request.get(), buffer, sizeof buffer, &got));
    if (got == 0) {
      break;
    }
    // Every read but the last is full.
    ASSERT_TRUE(got == sizeof buffer || total + got == kBody) << total;
    total += got;
    if (reads % 4096 == 0) {
      peak = std::max(peak, resident_kib());
    }
  }
  EXPECT_EQ(total, kBody);
  EXPECT_LT(peak - baseline, 16 * 1024) << "resident memory grew by " << peak - baseline << " KiB";
}

}  // namespace
