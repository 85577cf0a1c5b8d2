#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/core/memory/memory.h"
#include "tests/web/web_fixture.h"
#include "tests/wininet/raw_server.h"
#include "web/web_access.h"

namespace {

using program::Dll;
using wininet_test::Peer;
using wininet_test::RawServer;

constexpr const char* kHead = "HTTP/1.1 200 OK\r\n";

class WebAccessReply : public web_test::WebFixture {
 protected:
  std::string url(const RawServer& server, const char* path = "/") const {
    return "http://127.0.0.1:" + std::to_string(server.port()) + path;
  }
};

struct HostileRow {
  const char* name;
  std::string sent;  // what the server sends before it closes
  bool reset;        // close with a TCP reset instead of an orderly close
  std::string expected;
};

class HostileServers : public WebAccessReply, public ::testing::WithParamInterface<HostileRow> {};

TEST_P(HostileServers, GiveWhatArrivedOrNothing) {
  const HostileRow& row = GetParam();
  RawServer server([&row](Peer& peer, const std::string&, int) {
    peer.send(row.sent);
    if (row.reset) {
      peer.reset();
    }
  });
  const rt::Bytes reply = web::网页_访问(url(server).c_str());
  EXPECT_EQ(bytes_of(reply), row.expected);
  EXPECT_EQ(calls_of(Dll::InternetCloseHandle).size(), 3u);
}

const std::string kPartial(3000, 'b');

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileServers,
    ::testing::Values(
        HostileRow{"NoBody", std::string(kHead) + "Content-Length: 0\r\n\r\n", false, ""},
        HostileRow{"HeadThenClose", std::string(kHead) + "\r\n", false, ""},
        HostileRow{"NothingAtAll", "", false, ""},
        HostileRow{"GarbageInsteadOfAReply", "SSH-2.0-hello\r\n\r\n", false, ""},
        // An orderly close before the announced length reads as the end.
        HostileRow{"CloseBeforeContentLength",
                   std::string(kHead) + "Content-Length: 10000\r\n\r\n" + kPartial, false,
                   kPartial},
        // A failed read is a failure, not a shorter reply.
        HostileRow{"ResetMidBody", std::string(kHead) + "Content-Length: 10000\r\n\r\n" + kPartial,
                   true, ""},
        HostileRow{"ErrorStatusBody", "HTTP/1.1 500 Oops\r\nContent-Length: 4\r\n\r\nfail", false,
                   "fail"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebAccessReply, NoServerGivesTheEmptySetAndClosesEverything) {
  int port = 0;
  {
    const RawServer gone([](Peer&, const std::string&, int) {});
    port = gone.port();
  }
  const rt::Bytes reply = web::网页_访问(("http://127.0.0.1:" + std::to_string(port)).c_str());
  EXPECT_TRUE(reply.empty());
  EXPECT_EQ(calls_of(Dll::InternetReadFile).size(), 1u);
  EXPECT_EQ(calls_of(Dll::InternetCloseHandle).size(), 3u);
}

TEST_F(WebAccessReply, AnEmptyHostOpensNoRequest) {
  const rt::Bytes reply = web::网页_访问("http://:81/x");
  EXPECT_TRUE(reply.empty());
  EXPECT_TRUE(calls_of(Dll::HttpSendRequestA).empty());
  EXPECT_EQ(calls_of(Dll::InternetCloseHandle).size(), calls_of(Dll::InternetOpenA).size());
}

struct ConversionRow {
  const char* name;
  int32_t conversion;
  std::string body;
  std::string expected;
};

class ReplyConversions : public WebAccessReply,
                         public ::testing::WithParamInterface<ConversionRow> {};

TEST_P(ReplyConversions, ConvertTheBodyIntoGbk) {
  const ConversionRow& row = GetParam();
  RawServer server(
      [&row](Peer& peer, const std::string&, int) { peer.send(wininet_test::reply(row.body)); });
  const rt::Bytes reply = web::网页_访问(url(server).c_str(), {.reply_conversion = row.conversion});
  EXPECT_EQ(bytes_of(reply), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplyConversions,
    ::testing::Values(ConversionRow{"Utf8", 1, "ok \xe5\x8f\x8b\xe6\x83\x85",
                                    "ok \xd3\xd1\xc7\xe9"},
                      ConversionRow{"Utf8EndsAtTheFirstZero", 1, std::string("ab\0cd", 5), "ab"},
                      ConversionRow{"Big5", 2, "\xb9\x71\xb8\xa3", "\xb5\xe7\xc4\xd4"},
                      ConversionRow{"OtherValuesKeepTheBytes", 3, std::string("ab\0\xff", 4),
                                    std::string("ab\0\xff", 4)},
                      ConversionRow{"EmptyStaysEmpty", 1, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Every block the memory service hands out or resizes, to see how the
// result grows.
struct Growth {
  size_t largest = 0;
  int resizes = 0;
};
Growth g_growth;

void* counting_resize(void* block, size_t size) {
  g_growth.largest = std::max(g_growth.largest, size);
  ++g_growth.resizes;
  return core::resize_memory(block, size);
}

TEST_F(WebAccessReply, A64MiBBodyGrowsInFewStepsWithinTwiceItsSize) {
  constexpr size_t kBody = 64u << 20;
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send(std::string(kHead) + "Content-Length: " + std::to_string(kBody) + "\r\n\r\n");
    std::string chunk(1 << 20, '\0');
    for (size_t sent = 0; sent < kBody; sent += chunk.size()) {
      for (size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<char>((sent + i) * 7 / 3);
      }
      if (!peer.send(chunk)) {
        return;
      }
    }
  });
  g_growth = {};
  services().resize_memory = &counting_resize;
  attach();
  const rt::Bytes reply = web::网页_访问(url(server).c_str());
  ASSERT_EQ(reply.size(), kBody);
  for (size_t i : {size_t{0}, size_t{511}, size_t{512}, kBody / 2 + 3, kBody - 1}) {
    EXPECT_EQ(reply.data()[i], static_cast<uint8_t>(i * 7 / 3)) << "at " << i;
  }
  EXPECT_LE(g_growth.largest, 8 + kBody);
  EXPECT_LE(g_growth.resizes, 16);  // doubling from 4 KiB, then the final trim
  EXPECT_EQ(static_cast<size_t>(process_events_count()), kBody / 512 + 1);
}

}  // namespace
