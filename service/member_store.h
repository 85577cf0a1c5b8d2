// Members, their free minutes and the voice codes of registrations under way.
// Shared by every request thread; one mutex guards it all. With a state file
// every change is written before it takes effect, so a change that cannot be
// saved is not made at all.
#pragma once

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <random>
#include <string>

#include "service/service_clock.h"
#include "service/state_file.h"

namespace service {

enum class RegisterResult { Registered, WrongCode, NotSaved };
enum class ClaimResult { Added, AlreadyClaimed, NoMember, NotSaved };
enum class CallResult { Placed, NoMinutes, NoMember, NotSaved };

class MemberStore {
 public:
  static constexpr auto kVoiceCodeLife = std::chrono::minutes(5);
  static constexpr int kVoiceCodeTries = 5;
  static constexpr size_t kMaxOpenCodes = 10000;
  static constexpr size_t kMaxMembers = 100000;
  static constexpr std::int64_t kWeeklyMinutes = 15;

  // Without a state file the members live in memory only.
  explicit MemberStore(std::optional<std::filesystem::path> state_file = std::nullopt,
                       MemberMap members = {});

  // Draws a new 4-digit voice code for the number, replacing an open one;
  // nullopt when too many registrations are under way.
  std::optional<std::string> open_voice_code(const std::string& mobile, TimePoint now);
  std::optional<std::string> voice_code(const std::string& mobile, TimePoint now) const;

  // The code is good for kVoiceCodeTries attempts within kVoiceCodeLife.
  RegisterResult register_member(const std::string& mobile, const std::string& code, TimePoint now);

  bool is_member(const std::string& mobile) const;
  std::optional<Member> member(const std::string& mobile) const;

  // Adds kWeeklyMinutes once per week number.
  ClaimResult claim_weekly(const std::string& mobile, std::int64_t week);

  // A placed call is charged one minute up front.
  CallResult charge_call(const std::string& mobile);

  MemberMap members() const;

 private:
  struct VoiceCode {
    std::string code;
    TimePoint expires;
    int tries_left = kVoiceCodeTries;
  };

  void drop_expired_codes(TimePoint now);
  bool commit(const std::string& mobile, const Member& updated);

  mutable std::mutex mutex_;
  std::optional<std::filesystem::path> state_file_;
  MemberMap members_;
  std::map<std::string, VoiceCode> codes_;
  std::mt19937 rng_;
};

}  // namespace service
