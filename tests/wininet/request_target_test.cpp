#include <gtest/gtest.h>

#include <string>

#include "platform/winapi/wininet/request_target.h"

namespace {

using winapi::wininet::parse_http_url;
using winapi::wininet::Target;

TEST(HostHeader, PortOnlyWhenNotTheDefault) {
  EXPECT_EQ(host_header(Target{false, "h.test", 80, "/"}), "h.test");
  EXPECT_EQ(host_header(Target{false, "h.test", 8080, "/"}), "h.test:8080");
  EXPECT_EQ(host_header(Target{true, "h.test", 443, "/"}), "h.test");
  EXPECT_EQ(host_header(Target{true, "h.test", 80, "/"}), "h.test:80");
}

TEST(TargetUrl, EscapesOnlyWhatCannotGoOnTheWire) {
  EXPECT_EQ(target_url(Target{false, "h.test", 80, "/a b/%41?x=\xD6\xD0&y=/../"}),
            "http://h.test:80/a%20b/%41?x=%D6%D0&y=/../");
  EXPECT_EQ(target_url(Target{true, "h.test", 8443, "nolead"}), "https://h.test:8443/nolead");
}

struct LocationRow {
  const char* name;
  const char* location;
  bool followed;
  bool secure;
  const char* host;
  int port;
  const char* path;
};

class ResolveLocation : public testing::TestWithParam<LocationRow> {};

TEST_P(ResolveLocation, FromHttpPage) {
  const auto& row = GetParam();
  const auto next =
      resolve_location(Target{false, "h.test", 8080, "/dir/page.php?q=1"}, row.location);
  ASSERT_EQ(next.has_value(), row.followed);
  if (next) {
    EXPECT_EQ(next->secure, row.secure);
    EXPECT_EQ(next->host, row.host);
    EXPECT_EQ(next->port, row.port);
    EXPECT_EQ(next->path, row.path);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResolveLocation,
    testing::Values(
        LocationRow{"absolute_path", "/home.php", true, false, "h.test", 8080, "/home.php"},
        LocationRow{"relative", "next.php?a=1", true, false, "h.test", 8080, "/dir/next.php?a=1"},
        LocationRow{"other_host", "http://Other.Test/x", true, false, "other.test", 80, "/x"},
        LocationRow{"other_host_port", "http://o.test:9/", true, false, "o.test", 9, "/"},
        LocationRow{"scheme_relative", "//o.test/y", true, false, "o.test", 80, "/y"},
        LocationRow{"to_https_not_followed", "https://h.test/", false, false, "", 0, ""},
        LocationRow{"to_ftp_not_followed", "ftp://h.test/", false, false, "", 0, ""},
        LocationRow{"javascript_not_followed", "javascript:alert(1)", false, false, "", 0, ""},
        LocationRow{"empty_not_followed", "", false, false, "", 0, ""},
        // Escaped hosts that would name one host in the Host line and reach another.
        LocationRow{"escaped_numeric_host_not_followed", "//%302/2", false, false, "", 0, ""},
        LocationRow{"escaped_escape_not_followed", "//%6%302/2", false, false, "", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseHttpUrl, TakesHostLowerCaseAndPath) {
  const auto t = parse_http_url("http://WWW.Example.com:81/a/b?c");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->host, "www.example.com");
  EXPECT_EQ(t->port, 81);
  EXPECT_EQ(t->path, "/a/b?c");
  EXPECT_FALSE(parse_http_url("ftp://h/"));
  EXPECT_FALSE(parse_http_url("not a url"));
  EXPECT_FALSE(parse_http_url(""));
  EXPECT_FALSE(parse_http_url("http://%302/"));
}

}  // namespace
