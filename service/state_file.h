// The members file behind --state: one line per member,
//   <mobile> <minutes left> <week of the last claim, -1 for none>
// after a first line naming the format. Written to a temporary file beside
// it and renamed over it, so a crash leaves either the old or the new file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace service {

struct Member {
  std::int64_t minutes = 0;
  std::int64_t claim_week = -1;

  bool operator==(const Member&) const = default;
};

using MemberMap = std::map<std::string, Member>;

struct StateLoad {
  MemberMap members;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// A file that does not exist yet loads as no members.
StateLoad load_state(const std::filesystem::path& file);

// Returns the empty text on success, else what went wrong.
std::string save_state(const std::filesystem::path& file, const MemberMap& members);

// A mobile number as the service accepts it: 3 to 20 ASCII digits.
bool is_phone_number(const std::string& text);

}  // namespace service
