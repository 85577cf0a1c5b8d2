#include "service/fault_plan.h"

#include <array>
#include <charconv>
#include <utility>

namespace service {
namespace {

constexpr std::array<std::pair<FaultMode, std::string_view>, 11> kNames = {{
    {FaultMode::None, "none"},
    {FaultMode::Hang, "hang"},
    {FaultMode::Delay, "delay"},
    {FaultMode::Drip, "drip"},
    {FaultMode::Cut, "cut"},
    {FaultMode::Reset, "reset"},
    {FaultMode::ServerError, "500"},
    {FaultMode::Garbage, "garbage"},
    {FaultMode::HugeBody, "huge-body"},
    {FaultMode::RedirectLoop, "redirect-loop"},
    {FaultMode::HugeHeader, "huge-header"},
}};

}  // namespace

std::chrono::milliseconds default_fault_time(FaultMode mode) {
  using std::chrono::milliseconds;
  switch (mode) {
    case FaultMode::Hang:
      return milliseconds(60'000);
    case FaultMode::Delay:
      return milliseconds(3'000);
    case FaultMode::Drip:
      return milliseconds(100);
    default:
      return milliseconds(0);
  }
}

std::optional<FaultMode> fault_mode_named(std::string_view name) {
  for (const auto& [mode, text] : kNames) {
    if (text == name) {
      return mode;
    }
  }
  return std::nullopt;
}

std::string_view fault_mode_name(FaultMode mode) {
  for (const auto& [m, text] : kNames) {
    if (m == mode) {
      return text;
    }
  }
  return "none";
}

std::string fault_mode_list() {
  std::string list;
  for (const auto& [mode, text] : kNames) {
    if (mode != FaultMode::None) {
      list += list.empty() ? "" : ", ";
      list += text;
    }
  }
  return list;
}

std::optional<FaultPlan> parse_fault(std::string_view text) {
  const size_t colon = text.find(':');
  const auto mode = fault_mode_named(text.substr(0, colon));
  if (!mode) {
    return std::nullopt;
  }
  FaultPlan plan{.mode = *mode};
  if (colon != std::string_view::npos) {
    const std::string_view digits = text.substr(colon + 1);
    int count = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || count < 0) {
      return std::nullopt;
    }
    plan.count = count;
  }
  return plan;
}

void FaultSchedule::set(FaultPlan plan) {
  const std::lock_guard lock(mutex_);
  plan_ = plan;
}

FaultPlan FaultSchedule::take() {
  const std::lock_guard lock(mutex_);
  if (plan_.mode == FaultMode::None || plan_.count == 0) {
    return {};
  }
  if (plan_.count) {
    --*plan_.count;
  }
  FaultPlan taken = plan_;
  if (taken.time.count() <= 0) {
    taken.time = default_fault_time(taken.mode);
  }
  return taken;
}

}  // namespace service
