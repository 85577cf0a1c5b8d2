#include "service/member_store.h"

#include <cstdio>
#include <iostream>

namespace service {

MemberStore::MemberStore(std::optional<std::filesystem::path> state_file, MemberMap members)
    : state_file_(std::move(state_file)),
      members_(std::move(members)),
      rng_(std::random_device{}()) {}

std::optional<std::string> MemberStore::open_voice_code(const std::string& mobile, TimePoint now) {
  std::lock_guard lock(mutex_);
  drop_expired_codes(now);
  if (codes_.size() >= kMaxOpenCodes && !codes_.contains(mobile)) {
    return std::nullopt;
  }
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04u",
                std::uniform_int_distribution<unsigned>(0, 9999)(rng_));
  codes_[mobile] = VoiceCode{digits, now + kVoiceCodeLife};
  return std::string(digits);
}

std::optional<std::string> MemberStore::voice_code(const std::string& mobile, TimePoint now) const {
  std::lock_guard lock(mutex_);
  const auto it = codes_.find(mobile);
  if (it == codes_.end() || it->second.expires <= now) {
    return std::nullopt;
  }
  return it->second.code;
}

RegisterResult MemberStore::register_member(const std::string& mobile, const std::string& code,
                                            TimePoint now) {
  std::lock_guard lock(mutex_);
  drop_expired_codes(now);
  const auto it = codes_.find(mobile);
  if (it == codes_.end()) {
    return RegisterResult::WrongCode;
  }
  if (it->second.code != code) {
    if (--it->second.tries_left <= 0) {
      codes_.erase(it);
    }
    return RegisterResult::WrongCode;
  }
  // Registering again keeps the member's minutes.
  if (!members_.contains(mobile)) {
    if (members_.size() >= kMaxMembers || !commit(mobile, Member{})) {
      return RegisterResult::NotSaved;
    }
  }
  codes_.erase(mobile);
  return RegisterResult::Registered;
}

bool MemberStore::is_member(const std::string& mobile) const {
  std::lock_guard lock(mutex_);
  return members_.contains(mobile);
}

std::optional<Member> MemberStore::member(const std::string& mobile) const {
  std::lock_guard lock(mutex_);
  const auto it = members_.find(mobile);
  if (it == members_.end()) {
    return std::nullopt;
  }
  return it->second;
}

ClaimResult MemberStore::claim_weekly(const std::string& mobile, std::int64_t week) {
  std::lock_guard lock(mutex_);
  const auto it = members_.find(mobile);
  if (it == members_.end()) {
    return ClaimResult::NoMember;
  }
  if (it->second.claim_week == week) {
    return ClaimResult::AlreadyClaimed;
  }
  Member updated = it->second;
  updated.minutes += kWeeklyMinutes;
  updated.claim_week = week;
  return commit(mobile, updated) ? ClaimResult::Added : ClaimResult::NotSaved;
}

CallResult MemberStore::charge_call(const std::string& mobile) {
  std::lock_guard lock(mutex_);
  const auto it = members_.find(mobile);
  if (it == members_.end()) {
    return CallResult::NoMember;
  }
  if (it->second.minutes <= 0) {
    return CallResult::NoMinutes;
  }
  Member updated = it->second;
  --updated.minutes;
  return commit(mobile, updated) ? CallResult::Placed : CallResult::NotSaved;
}

MemberMap MemberStore::members() const {
  std::lock_guard lock(mutex_);
  return members_;
}

void MemberStore::drop_expired_codes(TimePoint now) {
  std::erase_if(codes_, [now](const auto& entry) { return entry.second.expires <= now; });
}

bool MemberStore::commit(const std::string& mobile, const Member& updated) {
  if (state_file_) {
    MemberMap next = members_;
    next[mobile] = updated;
    const std::string problem = save_state(*state_file_, next);
    if (!problem.empty()) {
      std::cerr << "lanyinbao-service: " << problem << std::endl;
      return false;
    }
    members_.swap(next);
    return true;
  }
  members_[mobile] = updated;
  return true;
}

}  // namespace service
