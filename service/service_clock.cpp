#include "service/service_clock.h"

namespace service {
namespace {

constexpr std::int64_t kZoneOffsetSeconds = 8 * 3600;
constexpr std::int64_t kSecondsPerDay = 86400;
// 1 January 1970 was a Thursday, three days after the Monday that began its week.
constexpr std::int64_t kDaysAfterMonday = 3;

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

TimePoint ServiceClock::now() const {
  return std::chrono::system_clock::now() + std::chrono::seconds(offset_.load());
}

std::int64_t week_number(TimePoint t) {
  const std::int64_t seconds =
      std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
  const std::int64_t day = floor_div(seconds + kZoneOffsetSeconds, kSecondsPerDay);
  return floor_div(day + kDaysAfterMonday, 7);
}

}  // namespace service
