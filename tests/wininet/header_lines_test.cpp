#include <gtest/gtest.h>

#include <string>

#include "platform/winapi/wininet/header_lines.h"

namespace {

using winapi::wininet::HeaderLines;
using winapi::wininet::OwnHeaders;
using winapi::wininet::split_header_text;
using winapi::wininet::wire_header_lines;

struct SplitRow {
  const char* name;
  const char* text;
  bool valid;
  HeaderLines lines;
};

class SplitHeaderText : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitHeaderText, KeepsLinesInOrder) {
  const auto& row = GetParam();
  const auto lines = split_header_text(row.text);
  ASSERT_EQ(lines.has_value(), row.valid);
  if (row.valid) {
    EXPECT_EQ(*lines, row.lines);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitHeaderText,
    testing::Values(SplitRow{"crlf", "A: 1\r\nB: 2\r\n", true, {"A: 1", "B: 2"}},
                    SplitRow{"no_final_crlf", "A: 1\r\nB: 2", true, {"A: 1", "B: 2"}},
                    SplitRow{"bare_lf", "A: 1\nB:2\n", true, {"A: 1", "B:2"}},
                    SplitRow{"blank_lines_skipped", "\r\nA: 1\r\n\r\n  \r\n", true, {"A: 1"}},
                    SplitRow{"empty", "", true, {}},
                    SplitRow{"no_colon", "A: 1\r\nnot a header\r\n", false, {}},
                    SplitRow{"empty_name", ": value\r\n", false, {}},
                    SplitRow{"lone_cr_inside", "A: 1\rB: 2\r\n", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

OwnHeaders own(std::optional<size_t> length = std::nullopt, std::string cookie = "") {
  OwnHeaders o;
  o.agent = "UA";
  o.host = "h.test:81";
  o.content_length = length;
  o.cookie = std::move(cookie);
  return o;
}

struct WireRow {
  const char* name;
  HeaderLines caller;
  OwnHeaders own;
  HeaderLines wire;
};

class WireHeaderLines : public testing::TestWithParam<WireRow> {};

TEST_P(WireHeaderLines, CallerFirstThenOwn) {
  const auto& row = GetParam();
  EXPECT_EQ(wire_header_lines(row.caller, row.own), row.wire);
}

OwnHeaders flagged(bool keep_alive, bool no_cache, bool pragma_no_cache) {
  OwnHeaders o = own();
  o.keep_alive = keep_alive;
  o.no_cache = no_cache;
  o.pragma_no_cache = pragma_no_cache;
  return o;
}

OwnHeaders redirected() {
  OwnHeaders o = own();
  o.replace_host = true;
  o.host = "next.test";
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WireHeaderLines,
    testing::Values(WireRow{"get",
                            {"Accept: */*", "Referer: r"},
                            own(),
                            {"Accept: */*", "Referer: r", "User-Agent: UA", "Host: h.test:81"}},
                    WireRow{"post_adds_length",
                            {"X: 1"},
                            own(0),
                            {"X: 1", "User-Agent: UA", "Host: h.test:81", "Content-Length: 0"}},
                    WireRow{"caller_agent_and_host_win",
                            {"host: other", "user-agent: mine"},
                            own(),
                            {"host: other", "user-agent: mine"}},
                    WireRow{"wrong_length_corrected_in_place",
                            {"Content-Length: 99", "X: 1", "Content-Length: 3"},
                            own(3),
                            {"Content-Length: 3", "X: 1", "User-Agent: UA", "Host: h.test:81"}},
                    WireRow{"length_without_body_dropped",
                            {"Content-Length: 5", "X: 1"},
                            own(),
                            {"X: 1", "User-Agent: UA", "Host: h.test:81"}},
                    WireRow{"stored_cookie_replaces_callers",
                            {"Cookie: mine=1", "X: 1"},
                            own(std::nullopt, "a=b; c=d"),
                            {"Cookie: a=b; c=d", "X: 1", "User-Agent: UA", "Host: h.test:81"}},
                    WireRow{"callers_cookie_kept_when_store_empty",
                            {"Cookie: mine=1"},
                            own(),
                            {"Cookie: mine=1", "User-Agent: UA", "Host: h.test:81"}},
                    WireRow{
                        "keep_alive_added",
                        {"X: 1"},
                        flagged(true, false, false),
                        {"X: 1", "User-Agent: UA", "Host: h.test:81", "Connection: Keep-Alive"}},
                    WireRow{"cache_lines_added",
                            {},
                            flagged(false, true, true),
                            {"User-Agent: UA", "Host: h.test:81", "Cache-Control: no-cache",
                             "Pragma: no-cache"}},
                    WireRow{"callers_connection_and_cache_lines_win",
                            {"connection: close", "Cache-Control: max-age=0", "Pragma: x"},
                            flagged(true, true, true),
                            {"connection: close", "Cache-Control: max-age=0", "Pragma: x",
                             "User-Agent: UA", "Host: h.test:81"}},
                    WireRow{"redirect_replaces_host",
                            {"Host: old", "X: 1"},
                            redirected(),
                            {"Host: next.test", "X: 1", "User-Agent: UA"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
