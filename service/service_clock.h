// The service's idea of the time: the system clock moved by an offset, so
// tests can place requests on either side of a week boundary.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace service {

using TimePoint = std::chrono::system_clock::time_point;

class ServiceClock {
 public:
  explicit ServiceClock(std::int64_t offset_seconds = 0) : offset_(offset_seconds) {}

  TimePoint now() const;
  void set_offset(std::int64_t seconds) { offset_.store(seconds); }
  std::int64_t offset() const { return offset_.load(); }

 private:
  std::atomic<std::int64_t> offset_;
};

// The service keeps China Standard Time (UTC+8): weeks run from Monday 00:00
// to Sunday 24:00 there. Returns the number of the ISO week holding `t`,
// counted from the week of 1 January 1970; equal numbers mean the same week.
std::int64_t week_number(TimePoint t);

}  // namespace service
