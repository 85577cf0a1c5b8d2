#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/fault_plan.h"
#include "service/request_fields.h"
#include "service/service_options.h"

namespace {

using service::FaultMode;
using service::FaultPlan;
using std::chrono::milliseconds;

struct FaultTextRow {
  const char* text;
  std::optional<FaultMode> mode;  // nullopt: refused
  std::optional<int> count;
};

class FaultTextTest : public ::testing::TestWithParam<FaultTextRow> {};

TEST_P(FaultTextTest, Parses) {
  const auto plan = service::parse_fault(GetParam().text);
  ASSERT_EQ(plan.has_value(), GetParam().mode.has_value()) << GetParam().text;
  if (plan) {
    EXPECT_EQ(plan->mode, *GetParam().mode);
    EXPECT_EQ(plan->count, GetParam().count);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FaultTextTest,
    ::testing::Values(FaultTextRow{"hang", FaultMode::Hang, std::nullopt},
                      FaultTextRow{"delay:3", FaultMode::Delay, 3},
                      FaultTextRow{"drip:0", FaultMode::Drip, 0},
                      FaultTextRow{"cut", FaultMode::Cut, std::nullopt},
                      FaultTextRow{"reset:1", FaultMode::Reset, 1},
                      FaultTextRow{"500", FaultMode::ServerError, std::nullopt},
                      FaultTextRow{"garbage", FaultMode::Garbage, std::nullopt},
                      FaultTextRow{"huge-body:2", FaultMode::HugeBody, 2},
                      FaultTextRow{"redirect-loop", FaultMode::RedirectLoop, std::nullopt},
                      FaultTextRow{"huge-header", FaultMode::HugeHeader, std::nullopt},
                      FaultTextRow{"none", FaultMode::None, std::nullopt},
                      FaultTextRow{"", std::nullopt, std::nullopt},
                      FaultTextRow{"Hang", std::nullopt, std::nullopt},
                      FaultTextRow{"hang:", std::nullopt, std::nullopt},
                      FaultTextRow{"hang:-1", std::nullopt, std::nullopt},
                      FaultTextRow{"hang:2x", std::nullopt, std::nullopt},
                      FaultTextRow{"hang:99999999999", std::nullopt, std::nullopt}));

TEST(FaultSchedule, CountsOffAndResolvesTheTime) {
  service::FaultSchedule schedule(FaultPlan{.mode = FaultMode::Drip, .count = 2});
  EXPECT_EQ(schedule.take().time, milliseconds(100));
  EXPECT_EQ(schedule.take().mode, FaultMode::Drip);
  EXPECT_EQ(schedule.take().mode, FaultMode::None);

  schedule.set(FaultPlan{.mode = FaultMode::Delay, .time = milliseconds(7)});
  for (int i = 0; i < 3; ++i) {
    const FaultPlan taken = schedule.take();
    EXPECT_EQ(taken.mode, FaultMode::Delay);
    EXPECT_EQ(taken.time, milliseconds(7));
  }
  schedule.set(FaultPlan{.mode = FaultMode::Hang});
  EXPECT_EQ(schedule.take().time, milliseconds(60'000));
  schedule.set(FaultPlan{.mode = FaultMode::Delay});
  EXPECT_EQ(schedule.take().time, milliseconds(3'000));
}

service::OptionsParse parse(std::vector<std::string_view> args) {
  return service::parse_options(args);
}

TEST(FaultOptions, FaultTimeAndCookieExpiry) {
  const auto p = parse({"--fault-time", "250", "--fault=drip:4", "--cookie-max-age", "600"});
  ASSERT_TRUE(p.ok()) << p.error;
  EXPECT_EQ(p.options.fault.mode, FaultMode::Drip);
  EXPECT_EQ(p.options.fault.count, 4);
  EXPECT_EQ(p.options.fault.time, milliseconds(250));
  EXPECT_EQ(p.options.cookie_max_age, 600);
  EXPECT_EQ(parse({}).options.cookie_max_age, std::nullopt);
  EXPECT_EQ(parse({}).options.fault.mode, FaultMode::None);
}

struct OptionErrorRow {
  std::vector<std::string_view> args;
  const char* error;
};

class FaultOptionErrorTest : public ::testing::TestWithParam<OptionErrorRow> {};

TEST_P(FaultOptionErrorTest, SaysWhatIsWrong) {
  EXPECT_EQ(parse(GetParam().args).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FaultOptionErrorTest,
    ::testing::Values(
        OptionErrorRow{{"--fault", "slow"},
                       "--fault needs MODE or MODE:COUNT with MODE one of hang, delay, drip, cut, "
                       "reset, 500, garbage, huge-body, redirect-loop, huge-header, got 'slow'"},
        OptionErrorRow{{"--fault-time", "0"},
                       "--fault-time needs milliseconds from 1 to 3600000, got '0'"},
        OptionErrorRow{{"--cookie-max-age", "-5"},
                       "--cookie-max-age needs seconds from 1 to ten years, got '-5'"},
        OptionErrorRow{{"--cookie-max-age"}, "--cookie-max-age needs a value"}));

struct DateRow {
  std::int64_t seconds;
  const char* text;
};

class HttpDateTest : public ::testing::TestWithParam<DateRow> {};

TEST_P(HttpDateTest, Formats) {
  EXPECT_EQ(service::http_date(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Dates, HttpDateTest,
                         ::testing::Values(DateRow{0, "Thu, 01 Jan 1970 00:00:00 GMT"},
                                           DateRow{951782400, "Tue, 29 Feb 2000 00:00:00 GMT"},
                                           DateRow{1700000000, "Tue, 14 Nov 2023 22:13:20 GMT"},
                                           DateRow{4102444799, "Thu, 31 Dec 2099 23:59:59 GMT"}));

}  // namespace
