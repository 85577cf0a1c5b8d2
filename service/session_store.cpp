#include "service/session_store.h"

#include <algorithm>
#include <cctype>

namespace service {
namespace {

bool equal_ignoring_case(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::string SessionStore::create() {
  std::lock_guard lock(mutex_);
  const auto now = Clock::now();
  std::erase_if(sessions_, [now](const auto& s) { return now - s.second.last_used > kIdleLife; });
  if (sessions_.size() >= kMaxSessions) {
    sessions_.erase(std::min_element(sessions_.begin(), sessions_.end(), [](auto& a, auto& b) {
      return a.second.last_used < b.second.last_used;
    }));
  }
  std::string id;
  do {
    id = random_hex(32);
  } while (sessions_.contains(id));
  sessions_[id].last_used = now;
  return id;
}

bool SessionStore::touch(const std::string& id) {
  std::lock_guard lock(mutex_);
  return find(id) != nullptr;
}

std::optional<std::string> SessionStore::new_picture_code(const std::string& id) {
  std::lock_guard lock(mutex_);
  Session* s = find(id);
  if (s == nullptr) {
    return std::nullopt;
  }
  s->picture_code = std::to_string(std::uniform_int_distribution<int>(1000, 9999)(rng_));
  return s->picture_code;
}

std::optional<std::string> SessionStore::picture_code(const std::string& id) {
  std::lock_guard lock(mutex_);
  Session* s = find(id);
  if (s == nullptr || s->picture_code.empty()) {
    return std::nullopt;
  }
  return s->picture_code;
}

bool SessionStore::take_picture_code(const std::string& id, const std::string& typed) {
  std::lock_guard lock(mutex_);
  Session* s = find(id);
  if (s == nullptr || s->picture_code.empty()) {
    return false;
  }
  const bool match = equal_ignoring_case(s->picture_code, typed);
  s->picture_code.clear();
  return match;
}

std::optional<std::string> SessionStore::log_in(const std::string& id, const std::string& member) {
  std::lock_guard lock(mutex_);
  Session* s = find(id);
  if (s == nullptr) {
    return std::nullopt;
  }
  s->login = Login{member, random_hex(16)};
  return s->login->claim_token;
}

std::optional<Login> SessionStore::login(const std::string& id) {
  std::lock_guard lock(mutex_);
  Session* s = find(id);
  if (s == nullptr) {
    return std::nullopt;
  }
  return s->login;
}

SessionStore::Session* SessionStore::find(const std::string& id) {
  const auto it = sessions_.find(id);
  if (it == sessions_.end()) {
    return nullptr;
  }
  const auto now = Clock::now();
  if (now - it->second.last_used > kIdleLife) {
    sessions_.erase(it);
    return nullptr;
  }
  it->second.last_used = now;
  return &it->second;
}

std::string SessionStore::random_hex(size_t digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(digits);
  for (size_t i = 0; i < digits; ++i) {
    // Ids and tokens guard a login, so they come straight from the system's entropy.
    out += kHex[entropy_() & 0xf];
  }
  return out;
}

}  // namespace service
