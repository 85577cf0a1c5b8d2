#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "service/service_options.h"

namespace {

using service::LoginReply;
using service::OptionsParse;

OptionsParse parse(std::vector<std::string_view> args) {
  return service::parse_options(args);
}

TEST(ServiceOptions, Defaults) {
  const OptionsParse p = parse({});
  ASSERT_TRUE(p.ok());
  EXPECT_EQ(p.options.bind, "127.0.0.1");
  EXPECT_EQ(p.options.port, 8600);
  EXPECT_FALSE(p.options.state_file.has_value());
  EXPECT_EQ(p.options.clock_offset, 0);
  EXPECT_EQ(p.options.login_reply, LoginReply::Page);
}

TEST(ServiceOptions, EveryOptionInBothSpellings) {
  const OptionsParse p = parse({"--port", "0", "--bind=::1", "--state", "m.txt", "--log=l.txt",
                                "--clock", "-604800", "--login-reply=redirect"});
  ASSERT_TRUE(p.ok()) << p.error;
  EXPECT_EQ(p.options.port, 0);
  EXPECT_EQ(p.options.bind, "::1");
  EXPECT_EQ(p.options.state_file->string(), "m.txt");
  EXPECT_EQ(p.options.log_file->string(), "l.txt");
  EXPECT_EQ(p.options.clock_offset, -604800);
  EXPECT_EQ(p.options.login_reply, LoginReply::Redirect);
  EXPECT_EQ(parse({"--clock=+90"}).options.clock_offset, 90);
}

TEST(ServiceOptions, PublicAllowsOtherAddresses) {
  const OptionsParse p = parse({"--bind", "0.0.0.0", "--public"});
  ASSERT_TRUE(p.ok()) << p.error;
  EXPECT_TRUE(p.options.public_bind);
  EXPECT_TRUE(parse({"--help"}).help);
}

struct ErrorRow {
  std::vector<std::string_view> args;
  const char* error;
};

class OptionErrorTest : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(OptionErrorTest, SaysWhatIsWrong) {
  const OptionsParse p = parse(GetParam().args);
  EXPECT_EQ(p.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, OptionErrorTest,
    ::testing::Values(
        ErrorRow{{"--port"}, "--port needs a value"},
        ErrorRow{{"--port", "http"}, "--port needs a number from 0 to 65535, got 'http'"},
        ErrorRow{{"--port", "65536"}, "--port needs a number from 0 to 65535, got '65536'"},
        ErrorRow{{"--port=-1"}, "--port needs a number from 0 to 65535, got '-1'"},
        ErrorRow{{"--port", "86 00"}, "--port needs a number from 0 to 65535, got '86 00'"},
        ErrorRow{{"--clock", "1h"}, "--clock needs an offset in seconds, got '1h'"},
        ErrorRow{{"--clock", "99999999999999999999"},
                 "--clock needs an offset in seconds, got '99999999999999999999'"},
        ErrorRow{{"--login-reply", "json"}, "--login-reply needs 'page' or 'redirect', got 'json'"},
        ErrorRow{{"--state="}, "--state needs a file name"},
        ErrorRow{{"--bind", "192.168.1.5"},
                 "--bind 192.168.1.5 is not a loopback address; add --public to serve other "
                 "machines"},
        ErrorRow{{"--bind="}, "--bind needs an address"},
        ErrorRow{{"--verbose"}, "unknown option '--verbose'"},
        ErrorRow{{"8600"}, "unknown option '8600'"},
        ErrorRow{{"--public=yes"}, "unknown option '--public=yes'"}));

}  // namespace
