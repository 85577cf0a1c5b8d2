// Sessions keyed by the session cookie: the picture code shown to the
// session, and after a login the member and the claim token of the member
// page. Idle sessions lapse, and the number of sessions is bounded, so a
// flood of picture requests cannot grow the store without end.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>

namespace service {

struct Login {
  std::string member;
  std::string claim_token;
};

class SessionStore {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kIdleLife = std::chrono::hours(2);
  static constexpr size_t kMaxSessions = 10000;

  // A new session id (32 hex digits); the least recently used session makes
  // room when the store is full.
  std::string create();
  // True when the session exists and has not lapsed; marks it as used.
  bool touch(const std::string& id);

  // Draws and remembers a new 4-digit picture code; nullopt for no session.
  std::optional<std::string> new_picture_code(const std::string& id);
  std::optional<std::string> picture_code(const std::string& id);
  // Compares ignoring ASCII case and forgets the code either way, so every
  // picture is good for one login attempt.
  bool take_picture_code(const std::string& id, const std::string& typed);

  // Logs the session in and returns the new claim token.
  std::optional<std::string> log_in(const std::string& id, const std::string& member);
  std::optional<Login> login(const std::string& id);

 private:
  struct Session {
    std::string picture_code;
    std::optional<Login> login;
    Clock::time_point last_used;
  };

  Session* find(const std::string& id);
  std::string random_hex(size_t digits);

  std::mutex mutex_;
  std::map<std::string, Session> sessions_;
  std::random_device entropy_;
  std::mt19937 rng_{entropy_()};
};

}  // namespace service
