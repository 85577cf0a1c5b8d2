// Command line of lanyinbao-service.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "service/fault_plan.h"

namespace service {

// How an accepted login is answered: a page that links the member page, or
// a redirect to it.
enum class LoginReply { Page, Redirect };

struct ServiceOptions {
  std::string bind = "127.0.0.1";
  int port = 8600;  // 0: any free port
  bool public_bind = false;
  std::optional<std::filesystem::path> state_file;
  std::optional<std::filesystem::path> log_file;
  std::int64_t clock_offset = 0;  // seconds added to the system clock
  LoginReply login_reply = LoginReply::Page;
  bool echo_events = true;  // print the placed calls on standard output
  // Seconds the session cookie lives; nullopt: a session cookie without an expiry.
  std::optional<std::int64_t> cookie_max_age;
  FaultPlan fault;  // the replies spoilt from the start
};

struct OptionsParse {
  ServiceOptions options;
  bool help = false;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// `args` excludes the program name.
OptionsParse parse_options(std::span<const std::string_view> args);
std::string usage_text();

}  // namespace service
