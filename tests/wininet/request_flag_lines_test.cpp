// The lines the stand-in puts on the wire for the program's own requests and
// for the request flags that add lines, compared as sets: Windows' WinINet
// sends the same lines in another order.
//
// Expected lines come from WinINet's public conformance tests, which run
// against Windows: with INTERNET_FLAG_KEEP_CONNECTION a GET carries
// "Connection: Keep-Alive" and no cache lines; with no flags, or with
// INTERNET_FLAG_NO_CACHE_WRITE on a GET, there is no Connection, Cache-Control
// or Pragma line; a POST, HEAD or other verb with INTERNET_FLAG_NO_CACHE_WRITE
// carries "Cache-Control: no-cache"; the Host line names a port that is not
// the default. INTERNET_FLAG_PRAGMA_NOCACHE is documented to make a proxy
// hand the request to the origin server, which is what "Pragma: no-cache"
// asks. The program's nine requests carry exactly their own lines plus
// Host and User-Agent, as Windows' WinINet under Wine sends them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/winapi/wininet/wininet.h"
#include "tests/wininet_wire/head_recorder.h"
#include "tests/wininet_wire/program_request_client.h"
#include "tests/wininet_wire/program_requests.h"

namespace {

using Lines = std::multiset<std::string>;

constexpr const char* kAgentLine = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The header lines of one request sent with `flags`, without the request line.
Lines sent_lines(const wininet_wire::ProgramRequest& request, wininet_wire::HeadRecorder& recorder,
                 DWORD flags) {
  const auto result = wininet_wire::send_program_request(recorder.port(), request, flags);
  EXPECT_TRUE(result.sent) << "error " << result.error;
  const auto lines = wininet_wire::head_lines(recorder.request());
  EXPECT_FALSE(lines.empty());
  return lines.empty() ? Lines() : Lines(lines.begin() + 1, lines.end());
}

TEST(ProgramRequestLines, AreTheProgramsOwnPlusHostAndAgent) {
  const size_t count = wininet_wire::program_requests(0).size();
  ASSERT_EQ(count, 9u);
  for (size_t i = 0; i < count; ++i) {
    wininet_wire::HeadRecorder recorder;
    const auto request = wininet_wire::program_requests(recorder.port())[i];
    SCOPED_TRACE(request.name);
    const auto own = wininet_wire::caller_lines(request);
    Lines expected(own.begin(), own.end());
    expected.insert("Host: 127.0.0.1:" + std::to_string(recorder.port()));
    expected.insert(kAgentLine);
    EXPECT_EQ(sent_lines(request, recorder, wininet_wire::kProgramFlags), expected);
  }
}

struct FlagRow {
  const char* name;
  const char* verb;
  DWORD flags;
  std::vector<std::string> added;  // beyond Host, User-Agent and a POST's Content-Length
};

class FlagLines : public testing::TestWithParam<FlagRow> {};

TEST_P(FlagLines, AddExactlyTheLinesWindowsAdds) {
  const auto& row = GetParam();
  wininet_wire::HeadRecorder recorder;
  const wininet_wire::ProgramRequest bare{"", row.verb, "/f", "", ""};
  Lines expected(row.added.begin(), row.added.end());
  expected.insert("Host: 127.0.0.1:" + std::to_string(recorder.port()));
  expected.insert(kAgentLine);
  if (std::string(row.verb) != "GET") {
    expected.insert("Content-Length: 0");
  }
  EXPECT_EQ(sent_lines(bare, recorder, row.flags), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FlagLines,
    testing::Values(
        FlagRow{"get_no_flags", "GET", 0, {}},
        FlagRow{"get_reload", "GET", INTERNET_FLAG_RELOAD, {}},
        FlagRow{"post_reload", "POST", INTERNET_FLAG_RELOAD, {}},
        FlagRow{"get_keep_connection",
                "GET",
                INTERNET_FLAG_KEEP_CONNECTION,
                {"Connection: Keep-Alive"}},
        FlagRow{"get_no_cache_write", "GET", INTERNET_FLAG_NO_CACHE_WRITE, {}},
        FlagRow{"post_no_cache_write",
                "POST",
                INTERNET_FLAG_NO_CACHE_WRITE,
                {"Cache-Control: no-cache"}},
        FlagRow{"other_verb_no_cache_write",
                "RPC_OUT_DATA",
                INTERNET_FLAG_NO_CACHE_WRITE,
                {"Cache-Control: no-cache"}},
        FlagRow{"post_keep_connection_and_no_cache_write",
                "POST",
                INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_CACHE_WRITE,
                {"Connection: Keep-Alive", "Cache-Control: no-cache"}},
        FlagRow{"get_pragma_no_cache", "GET", INTERNET_FLAG_PRAGMA_NOCACHE, {"Pragma: no-cache"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
