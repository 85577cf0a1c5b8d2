// Week numbers at the edges: the week turns at Monday 00:00 UTC+8.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "service/service_clock.h"

namespace {

service::TimePoint at(std::int64_t seconds) {
  return service::TimePoint(std::chrono::seconds(seconds));
}

// Monday 2026-12-07 00:00 UTC+8 = Sunday 2026-12-06 16:00 UTC.
constexpr std::int64_t kMonday = 1796572800;

struct SameWeekRow {
  std::int64_t a;
  std::int64_t b;
  bool same;
};

class WeekNumberTest : public ::testing::TestWithParam<SameWeekRow> {};

TEST_P(WeekNumberTest, SplitsAtMondayMidnightChinaTime) {
  EXPECT_EQ(service::week_number(at(GetParam().a)) == service::week_number(at(GetParam().b)),
            GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, WeekNumberTest,
    ::testing::Values(SameWeekRow{kMonday - 1, kMonday, false},
                      SameWeekRow{kMonday, kMonday + 7 * 86400 - 1, true},
                      SameWeekRow{kMonday + 7 * 86400 - 1, kMonday + 7 * 86400, false},
                      SameWeekRow{kMonday - 7 * 86400, kMonday - 1, true},
                      // Sunday 15:59 and 16:00 UTC lie in different weeks.
                      SameWeekRow{kMonday - 60, kMonday + 60, false},
                      // Monday 1969-12-29: before 1970 the same rule holds.
                      SameWeekRow{-3 * 86400 - 8 * 3600 - 1, -3 * 86400 - 8 * 3600, false},
                      SameWeekRow{-1, 0, true}));

TEST(WeekNumber, CountsWeeksSince1970) {
  EXPECT_EQ(service::week_number(at(0)), 0);
  EXPECT_EQ(service::week_number(at(kMonday)) - service::week_number(at(kMonday - 1)), 1);
  EXPECT_EQ(service::week_number(at(kMonday + 52 * 7 * 86400)) - service::week_number(at(kMonday)),
            52);
}

TEST(ServiceClock, OffsetMovesNow) {
  service::ServiceClock clock(3600);
  const auto diff = clock.now() - std::chrono::system_clock::now();
  EXPECT_NEAR(std::chrono::duration_cast<std::chrono::seconds>(diff).count(), 3600, 2);
  clock.set_offset(-86400);
  EXPECT_EQ(clock.offset(), -86400);
}

}  // namespace
