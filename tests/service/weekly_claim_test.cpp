// The weekly rule over HTTP: one claim per week, the week turning at Monday
// 00:00 China Standard Time (Sunday 16:00 UTC). Times keep a minute clear of
// the boundary, since the clock runs on between setting it and the request.
#include <cstdint>

#include "service_fixture.h"

namespace service_test {
namespace {

// Monday 2026-12-07 00:00 in UTC+8 (Sunday 16:00 UTC), as seconds since 1970.
constexpr std::int64_t kMonday = 1796572800;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kMinute = 60;

struct WeekRow {
  const char* name;
  std::int64_t first;
  std::int64_t second;
  bool second_adds;
};

const WeekRow kWeekRows[] = {
    {"SameMonday", kMonday + kMinute, kMonday + 10 * kMinute, false},
    {"MondayThenSunday", kMonday + kMinute, kMonday + 7 * kDay - kMinute, false},
    {"SundayThenMonday", kMonday - kMinute, kMonday + kMinute, true},
    {"UtcSundayEveningIsNextWeek", kMonday - kMinute, kMonday + 8 * 3600 - kMinute, true},
    {"OneWeekLater", kMonday + 3 * kDay, kMonday + 10 * kDay, true},
};

class WeeklyClaimTest : public ServiceTest, public ::testing::WithParamInterface<WeekRow> {};

TEST_P(WeeklyClaimTest, OneClaimPerWeek) {
  const WeekRow& row = GetParam();
  TestClient c = client();
  register_member(c, "13500000000");
  log_in(c, "13500000000");

  set_time(row.first);
  EXPECT_FALSE(contains(claim(c).body, gbk("已经领过了")));
  set_time(row.second);
  const HttpReply second = claim(c);
  EXPECT_EQ(contains(second.body, gbk("已经领过了")), !row.second_adds);
  EXPECT_EQ(c.post("/url.php", balance_body()).body, row.second_adds ? "30" : "15");
}

INSTANTIATE_TEST_SUITE_P(Weeks, WeeklyClaimTest, ::testing::ValuesIn(kWeekRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceTest, AClaimBelongsToTheMemberNotTheSession) {
  TestClient first = client();
  register_member(first, "13500000001");
  log_in(first, "13500000001");
  set_time(kMonday + kDay);
  claim(first);

  TestClient second = client();
  log_in(second, "13500000001");
  EXPECT_TRUE(contains(claim(second).body, gbk("已经领过了")));
}

}  // namespace
}  // namespace service_test
