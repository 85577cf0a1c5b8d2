#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "platform/winapi/wininet/cookie.h"

namespace {

using winapi::wininet::Cookie;
using winapi::wininet::cookie_matches;
using winapi::wininet::CookieOrigin;
using winapi::wininet::parse_cookie_line;
using winapi::wininet::parse_netscape_line;
using winapi::wininet::to_netscape_line;

struct ParseRow {
  const char* name;
  const char* line;
  const char* host;
  const char* path;
  // Expected cookie, or the error text when `error` is set.
  const char* cookie_name;
  const char* value;
  const char* domain;
  const char* cookie_path;
  bool host_only;
  bool persistent;
  const char* error;
};

class ParseCookieLine : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseCookieLine, GivesCookieOrError) {
  const auto& row = GetParam();
  const auto parsed = parse_cookie_line(row.line, CookieOrigin{row.host, row.path});
  if (row.error != nullptr) {
    ASSERT_FALSE(parsed.cookie);
    EXPECT_EQ(parsed.error, row.error);
    return;
  }
  ASSERT_TRUE(parsed.cookie) << parsed.error;
  const Cookie& c = *parsed.cookie;
  EXPECT_EQ(c.name, row.cookie_name);
  EXPECT_EQ(c.value, row.value);
  EXPECT_EQ(c.domain, row.domain);
  EXPECT_EQ(c.path, row.cookie_path);
  EXPECT_EQ(c.host_only, row.host_only);
  EXPECT_EQ(c.expires.has_value(), row.persistent);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseCookieLine,
    testing::Values(
        ParseRow{"value_ends_at_semicolon", "sid=abc; path=/", "h.test", "/x/y.php", "sid", "abc",
                 "h.test", "/", true, false, nullptr},
        ParseRow{"default_path_up_to_last_slash", "a=1", "h.test", "/x/y.php", "a", "1", "h.test",
                 "/x/", true, false, nullptr},
        ParseRow{"default_path_of_root", "a=1", "h.test", "", "a", "1", "h.test", "/", true, false,
                 nullptr},
        ParseRow{"relative_path_attribute_ignored", "a=1; path=rel", "h.test", "/d/p", "a", "1",
                 "h.test", "/d/", true, false, nullptr},
        ParseRow{"value_keeps_equals", "t=a=b=c", "h.test", "/", "t", "a=b=c", "h.test", "/", true,
                 false, nullptr},
        ParseRow{"blanks_trimmed", "  n = v ;Path=/p", "h.test", "/", "n", "v", "h.test", "/p",
                 true, false, nullptr},
        ParseRow{"expires_makes_persistent", "a=1; expires=Wed, 01 Jan 2098 00:00:00 GMT", "h.test",
                 "/", "a", "1", "h.test", "/", true, true, nullptr},
        ParseRow{"old_expires_form", "a=1; expires=Wednesday, 01-Jan-98 00:00:00 GMT", "h.test",
                 "/", "a", "1", "h.test", "/", true, true, nullptr},
        ParseRow{"unparsable_expires_is_session", "a=1; expires=soon", "h.test", "/", "a", "1",
                 "h.test", "/", true, false, nullptr},
        ParseRow{"max_age", "a=1; Max-Age=60", "h.test", "/", "a", "1", "h.test", "/", true, true,
                 nullptr},
        ParseRow{"parent_domain", "a=1; domain=.Example.com", "www.example.com", "/", "a", "1",
                 "example.com", "/", false, false, nullptr},
        ParseRow{"domain_equal_to_host", "a=1; domain=localhost", "localhost", "/", "a", "1",
                 "localhost", "/", false, false, nullptr},
        ParseRow{"empty_value", "a=", "h.test", "/", "a", "", "h.test", "/", true, false, nullptr},
        ParseRow{"other_domain", "a=1; domain=evil.com", "www.example.com", "/", "", "", "", "",
                 true, false, "domain 'evil.com' does not suit host 'www.example.com'"},
        ParseRow{"top_level_domain", "a=1; domain=.com", "www.example.com", "/", "", "", "", "",
                 true, false, "domain 'com' does not suit host 'www.example.com'"},
        ParseRow{"suffix_without_dot", "a=1; domain=ample.com", "www.example.com", "/", "", "", "",
                 "", true, false, "domain 'ample.com' does not suit host 'www.example.com'"},
        ParseRow{"parent_of_address", "a=1; domain=0.0.1", "127.0.0.1", "/", "", "", "", "", true,
                 false, "domain '0.0.1' does not suit host '127.0.0.1'"},
        ParseRow{"no_equals", "justtext", "h.test", "/", "", "", "", "", true, false,
                 "cookie has no '=' between name and value"},
        ParseRow{"equals_only_in_attributes", "x; a=b", "h.test", "/", "", "", "", "", true, false,
                 "cookie has no '=' between name and value"},
        ParseRow{"empty_name", "=v", "h.test", "/", "", "", "", "", true, false,
                 "cookie has an empty name"},
        ParseRow{"tab_in_value", "a=x\ty", "h.test", "/", "", "", "", "", true, false,
                 "cookie 'a' holds a control character"},
        ParseRow{"path_with_control_character_ignored", "a=1; path=/x\x01y", "h.test", "/d/p", "a",
                 "1", "h.test", "/d/", true, false, nullptr},
        ParseRow{"host_not_a_name", "a=1", "bad host", "/", "", "", "", "", true, false,
                 "host 'bad host' cannot hold cookies"},
        ParseRow{"host_of_dots", "a=1", ".", "/", "", "", "", "", true, false,
                 "host '.' cannot hold cookies"},
        ParseRow{"empty_line", "", "h.test", "/", "", "", "", "", true, false,
                 "cookie has no '=' between name and value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseCookieLine, RefusesOversizedCookie) {
  const std::string line = "big=" + std::string(5000, 'x');
  const auto parsed = parse_cookie_line(line, CookieOrigin{"h.test", "/"});
  EXPECT_FALSE(parsed.cookie);
  EXPECT_EQ(parsed.error, "cookie 'big' is larger than 4096 bytes");
}

TEST(ParseCookieLine, PastExpiryIsExpired) {
  const auto parsed =
      parse_cookie_line("a=1; expires=Thu, 01 Jan 1970 00:00:00 GMT", CookieOrigin{"h", "/"});
  ASSERT_TRUE(parsed.cookie);
  EXPECT_TRUE(winapi::wininet::is_expired(*parsed.cookie, time(nullptr)));
  const auto zero_age = parse_cookie_line("a=1; max-age=0", CookieOrigin{"h", "/"});
  ASSERT_TRUE(zero_age.cookie);
  EXPECT_TRUE(winapi::wininet::is_expired(*zero_age.cookie, time(nullptr)));
}

struct MatchRow {
  const char* name;
  const char* line;
  const char* set_host;
  const char* request_host;
  const char* request_path;
  bool secure_channel;
  bool matches;
};

class CookieMatches : public testing::TestWithParam<MatchRow> {};

TEST_P(CookieMatches, ByHostPathAndChannel) {
  const auto& row = GetParam();
  const auto parsed = parse_cookie_line(row.line, CookieOrigin{row.set_host, "/"});
  ASSERT_TRUE(parsed.cookie) << parsed.error;
  EXPECT_EQ(cookie_matches(*parsed.cookie, CookieOrigin{row.request_host, row.request_path},
                           row.secure_channel),
            row.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CookieMatches,
    testing::Values(
        MatchRow{"same_host", "a=1", "h.test", "h.test", "/x", false, true},
        MatchRow{"host_case", "a=1", "h.test", "H.Test", "/", false, true},
        MatchRow{"host_only_not_subdomain", "a=1", "h.test", "w.h.test", "/", false, false},
        MatchRow{"domain_cookie_subdomain", "a=1; domain=h.test", "h.test", "w.h.test", "/", false,
                 true},
        MatchRow{"domain_not_lookalike", "a=1; domain=h.test", "h.test", "wh.test", "/", false,
                 false},
        MatchRow{"path_prefix_at_slash", "a=1; path=/app", "h.test", "h.test", "/app/page", false,
                 true},
        MatchRow{"path_exact", "a=1; path=/app", "h.test", "h.test", "/app", false, true},
        MatchRow{"path_not_partial_segment", "a=1; path=/app", "h.test", "h.test", "/apple", false,
                 false},
        MatchRow{"secure_on_plain", "a=1; secure", "h.test", "h.test", "/", false, false},
        MatchRow{"secure_on_tls", "a=1; secure", "h.test", "h.test", "/", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NetscapeLine, RoundTripsEveryField) {
  Cookie c;
  c.name = "sid";
  c.value = "a b=c";
  c.domain = "example.com";
  c.path = "/p/";
  c.expires = 4070908800;
  c.host_only = false;
  c.secure = true;
  c.http_only = true;
  const std::string line = to_netscape_line(c);
  EXPECT_EQ(line, "#HttpOnly_.example.com\tTRUE\t/p/\tTRUE\t4070908800\tsid\ta b=c");
  const auto back = parse_netscape_line(line);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->name, c.name);
  EXPECT_EQ(back->value, c.value);
  EXPECT_EQ(back->domain, c.domain);
  EXPECT_EQ(back->path, c.path);
  EXPECT_EQ(back->expires, c.expires);
  EXPECT_EQ(back->host_only, c.host_only);
  EXPECT_EQ(back->secure, c.secure);
  EXPECT_EQ(back->http_only, c.http_only);
}

TEST(NetscapeLine, MalformedLinesReadAsNothing) {
  for (const char* line :
       {"", "# Netscape HTTP Cookie File", "h\tFALSE\t/\tFALSE\t99",
        "h\tFALSE\t/\tFALSE\tsoon\ta\tb", "h\tFALSE\t/\tFALSE\t0\ta\tb",
        "h\tFALSE\tnoslash\tFALSE\t4070908800\ta\tb", "\tFALSE\t/\tFALSE\t4070908800\ta\tb",
        "h\tFALSE\t/\tFALSE\t4070908800\t\tb", "h\tFALSE\t/\tFALSE\t4070908800\ta\tb\textra"}) {
    EXPECT_FALSE(parse_netscape_line(line)) << line;
  }
}

}  // namespace
