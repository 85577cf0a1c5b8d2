// Replies the stand-in spoils on purpose, so the program can be tried
// against a service that stalls, cuts off or talks nonsense. A plan names
// one way of misbehaving and how many replies it spoils.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace service {

enum class FaultMode {
  None,
  Hang,          // reads the request and never answers, until the client leaves
  Delay,         // answers after a wait
  Drip,          // sends the reply one byte at a time
  Cut,           // announces the whole body, sends half and closes
  Reset,         // resets the connection instead of answering
  ServerError,   // 500 with an error page
  Garbage,       // bytes that are no HTTP reply
  HugeBody,      // a 64 MiB body
  RedirectLoop,  // a redirect to a page that redirects to itself
  HugeHeader,    // the reply with a 1 MiB header line added
};

inline constexpr size_t kHugeBodyBytes = 64u << 20;
inline constexpr size_t kHugeHeaderBytes = 1u << 20;
inline constexpr char kRedirectLoopPath[] = "/_standin/redirect-loop";

struct FaultPlan {
  FaultMode mode = FaultMode::None;
  std::optional<int> count;  // replies left to spoil; nullopt: every reply
  // The wait of Delay, the pause between the bytes of Drip, the longest
  // Hang; zero takes the mode's default.
  std::chrono::milliseconds time{0};
};

std::chrono::milliseconds default_fault_time(FaultMode mode);
std::optional<FaultMode> fault_mode_named(std::string_view name);
std::string_view fault_mode_name(FaultMode mode);
// Every mode name, for messages: "hang, delay, ...".
std::string fault_mode_list();

// "MODE" or "MODE:N"; nullopt when malformed.
std::optional<FaultPlan> parse_fault(std::string_view text);

// The plan in force, shared by the hook that sets it and the connections
// that take from it.
class FaultSchedule {
 public:
  explicit FaultSchedule(FaultPlan plan = {}) : plan_(plan) {}
  void set(FaultPlan plan);
  // The fault for the next reply, with its time resolved; counts it off.
  FaultPlan take();

 private:
  std::mutex mutex_;
  FaultPlan plan_;
};

}  // namespace service
