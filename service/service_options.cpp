#include "service/service_options.h"

#include <charconv>
#include <functional>
#include <map>

#include "service/request_fields.h"

namespace service {
namespace {

template <typename Int>
bool parse_number(std::string_view text, Int& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return !text.empty() && ec == std::errc() && ptr == end;
}

using ValueSetter = std::function<std::string(ServiceOptions&, std::string_view)>;

std::string set_port(ServiceOptions& o, std::string_view v) {
  if (!parse_number(v, o.port) || o.port < 0 || o.port > 65535) {
    return "--port needs a number from 0 to 65535, got '" + std::string(v) + "'";
  }
  return {};
}

std::string set_clock(ServiceOptions& o, std::string_view v) {
  if (!v.empty() && v.front() == '+') {
    v.remove_prefix(1);
  }
  if (!parse_number(v, o.clock_offset) || o.clock_offset < -(1LL << 40) ||
      o.clock_offset > (1LL << 40)) {
    return "--clock needs an offset in seconds, got '" + std::string(v) + "'";
  }
  return {};
}

std::string set_login_reply(ServiceOptions& o, std::string_view v) {
  if (v == "page") {
    o.login_reply = LoginReply::Page;
  } else if (v == "redirect") {
    o.login_reply = LoginReply::Redirect;
  } else {
    return "--login-reply needs 'page' or 'redirect', got '" + std::string(v) + "'";
  }
  return {};
}

std::string set_cookie_max_age(ServiceOptions& o, std::string_view v) {
  std::int64_t seconds = 0;
  if (!parse_number(v, seconds) || seconds < 1 || seconds > 10LL * 365 * 24 * 3600) {
    return "--cookie-max-age needs seconds from 1 to ten years, got '" + std::string(v) + "'";
  }
  o.cookie_max_age = seconds;
  return {};
}

std::string set_fault(ServiceOptions& o, std::string_view v) {
  const auto plan = parse_fault(v);
  if (!plan) {
    return "--fault needs MODE or MODE:COUNT with MODE one of " + fault_mode_list() + ", got '" +
           std::string(v) + "'";
  }
  const auto time = o.fault.time;
  o.fault = *plan;
  o.fault.time = time;
  return {};
}

std::string set_fault_time(ServiceOptions& o, std::string_view v) {
  int ms = 0;
  if (!parse_number(v, ms) || ms < 1 || ms > 3'600'000) {
    return "--fault-time needs milliseconds from 1 to 3600000, got '" + std::string(v) + "'";
  }
  o.fault.time = std::chrono::milliseconds(ms);
  return {};
}

std::string set_path(std::optional<std::filesystem::path>& target, std::string_view name,
                     std::string_view v) {
  if (v.empty()) {
    return std::string(name) + " needs a file name";
  }
  target = std::filesystem::path(std::string(v));
  return {};
}

const std::map<std::string_view, ValueSetter>& value_options() {
  static const std::map<std::string_view, ValueSetter> table = {
      {"--port", set_port},
      {"--bind",
       [](ServiceOptions& o, std::string_view v) {
         o.bind = std::string(v);
         return v.empty() ? std::string("--bind needs an address") : std::string();
       }},
      {"--state",
       [](ServiceOptions& o, std::string_view v) { return set_path(o.state_file, "--state", v); }},
      {"--log",
       [](ServiceOptions& o, std::string_view v) { return set_path(o.log_file, "--log", v); }},
      {"--clock", set_clock},
      {"--login-reply", set_login_reply},
      {"--cookie-max-age", set_cookie_max_age},
      {"--fault", set_fault},
      {"--fault-time", set_fault_time},
  };
  return table;
}

}  // namespace

OptionsParse parse_options(std::span<const std::string_view> args) {
  OptionsParse result;
  for (size_t i = 0; i < args.size() && result.ok(); ++i) {
    std::string_view arg = args[i];
    std::optional<std::string_view> inline_value;
    if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inline_value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    if ((arg == "--help" || arg == "-h") && !inline_value) {
      result.help = true;
    } else if (arg == "--public" && !inline_value) {
      result.options.public_bind = true;
    } else if (const auto it = value_options().find(arg); it != value_options().end()) {
      if (!inline_value && i + 1 >= args.size()) {
        result.error = std::string(arg) + " needs a value";
      } else {
        result.error = it->second(result.options, inline_value ? *inline_value : args[++i]);
      }
    } else {
      result.error = "unknown option '" + std::string(args[i]) + "'";
    }
  }
  if (result.ok() && !result.options.public_bind && !is_loopback(result.options.bind)) {
    result.error = "--bind " + result.options.bind +
                   " is not a loopback address; add --public to serve other machines";
  }
  return result;
}

std::string usage_text() {
  return "usage: lanyinbao-service [options]\n"
         "A stand-in of the calling service for the program and its tests.\n"
         "  --port N             port to listen on (default 8600, 0 = any free port)\n"
         "  --bind ADDRESS       address to listen on (default 127.0.0.1)\n"
         "  --public             allow a --bind address other than loopback\n"
         "  --state FILE         keep members and minutes in FILE across restarts\n"
         "  --log FILE           append the placed calls (voice codes included) to FILE\n"
         "  --clock SECONDS      move the service's clock by SECONDS (may be negative)\n"
         "  --login-reply page|redirect\n"
         "                       answer a login with a page linking /p.php (default)\n"
         "                       or with a redirect to /p.php\n"
         "  --cookie-max-age SECONDS\n"
         "                       give the session cookie an expiry that far ahead\n"
         "  --fault MODE[:COUNT] spoil every reply, or the next COUNT, on purpose:\n"
         "                       hang, delay, drip, cut, reset, 500, garbage,\n"
         "                       huge-body, redirect-loop, huge-header\n"
         "  --fault-time MS      the wait of delay (3000), the pause between the\n"
         "                       bytes of drip (100), the longest hang (60000)\n"
         "  --help               show this text\n";
}

}  // namespace service
