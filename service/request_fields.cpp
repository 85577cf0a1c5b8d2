#include "service/request_fields.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>

namespace service {
namespace {

std::string_view trim_blanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

constexpr std::string_view kMappedPrefix = "::ffff:";

}  // namespace

FormParse query_fields(const httplib::Request& req) {
  const size_t mark = req.target.find('?');
  if (mark == std::string::npos) {
    return {};
  }
  return parse_form(std::string_view(req.target).substr(mark + 1));
}

std::string cookie_value(std::string_view cookie_line, std::string_view name) {
  while (!cookie_line.empty()) {
    const size_t end = std::min(cookie_line.find(';'), cookie_line.size());
    const std::string_view pair = trim_blanks(cookie_line.substr(0, end));
    cookie_line.remove_prefix(std::min(end + 1, cookie_line.size()));
    const size_t eq = pair.find('=');
    if (eq != std::string_view::npos && trim_blanks(pair.substr(0, eq)) == name) {
      return std::string(trim_blanks(pair.substr(eq + 1)));
    }
  }
  return {};
}

std::string session_cookie(const httplib::Request& req) {
  const size_t count = req.get_header_value_count("Cookie");
  for (size_t i = 0; i < count; ++i) {
    std::string value = cookie_value(req.get_header_value("Cookie", i), kSessionCookie);
    if (!value.empty()) {
      return value;
    }
  }
  return {};
}

std::string http_date(std::int64_t seconds_utc) {
  static constexpr const char* kDays[] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  using namespace std::chrono;
  const sys_seconds at{seconds{seconds_utc}};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss time{at - day};
  const auto weekday_index = ((day.time_since_epoch().count() % 7) + 7) % 7;
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02u %s %04d %02ld:%02ld:%02ld GMT", kDays[weekday_index],
                static_cast<unsigned>(date.day()), kMonths[static_cast<unsigned>(date.month()) - 1],
                static_cast<int>(date.year()), static_cast<long>(time.hours().count()),
                static_cast<long>(time.minutes().count()),
                static_cast<long>(time.seconds().count()));
  return text;
}

std::string session_cookie_header(const std::string& id, std::optional<std::int64_t> max_age,
                                  std::int64_t now_utc) {
  std::string header = std::string(kSessionCookie) + "=" + id + "; path=/";
  if (max_age) {
    header += "; expires=" + http_date(now_utc + *max_age);
  }
  return header;
}

bool is_loopback(std::string_view address) {
  if (address.starts_with(kMappedPrefix)) {
    address.remove_prefix(kMappedPrefix.size());
  }
  return address.starts_with("127.") || address == "::1" || address == "localhost";
}

std::string caller_address(const httplib::Request& req) {
  const std::string reported = req.get_header_value(kPeerHeader);
  std::string_view address = reported.empty() ? std::string_view(req.remote_addr) : reported;
  if (address.starts_with(kMappedPrefix) && address.find('.') != std::string_view::npos) {
    address.remove_prefix(kMappedPrefix.size());
  }
  return std::string(address);
}

}  // namespace service
