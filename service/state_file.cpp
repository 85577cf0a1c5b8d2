#include "service/state_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace service {
namespace {

constexpr std::string_view kFormatLine = "lanyinbao-service members 1";

bool parse_int(std::string_view text, std::int64_t& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

std::string parse_member_line(std::string_view line, MemberMap& members) {
  std::istringstream in{std::string(line)};
  std::string mobile, minutes_text, week_text, extra;
  if (!(in >> mobile >> minutes_text >> week_text) || (in >> extra)) {
    return "expected '<mobile> <minutes> <week>'";
  }
  Member m;
  if (!is_phone_number(mobile)) {
    return "'" + mobile + "' is not a mobile number";
  }
  if (!parse_int(minutes_text, m.minutes) || m.minutes < 0) {
    return "minutes '" + minutes_text + "' is not a count";
  }
  if (!parse_int(week_text, m.claim_week) || m.claim_week < -1) {
    return "week '" + week_text + "' is not a week number or -1";
  }
  if (!members.emplace(mobile, m).second) {
    return "member " + mobile + " appears twice";
  }
  return {};
}

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { close(); }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  int close() {
    const int rc = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

std::string errno_text(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

std::string write_all(const UniqueFd& fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd.get(), data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return errno_text("cannot write");
    }
    done += static_cast<size_t>(n);
  }
  return {};
}

// Writes `data` to a new file and makes it durable before the rename; a file
// left half written is removed again.
std::string write_durably(const std::filesystem::path& file, const std::string& data) {
  UniqueFd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (fd.get() < 0) {
    return errno_text("cannot create " + file.string());
  }
  std::string problem = write_all(fd, data);
  if (problem.empty() && (::fsync(fd.get()) != 0 || fd.close() != 0)) {
    problem = errno_text("cannot flush");
  }
  if (!problem.empty()) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return problem + " " + file.string();
  }
  return {};
}

}  // namespace

bool is_phone_number(const std::string& text) {
  if (text.size() < 3 || text.size() > 20) {
    return false;
  }
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

StateLoad load_state(const std::filesystem::path& file) {
  StateLoad result;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    result.error = errno_text("cannot read " + file.string());
    return result;
  }
  std::string line;
  if (!std::getline(in, line) || line != kFormatLine) {
    result.error = file.string() + " line 1: expected '" + std::string(kFormatLine) + "'";
    return result;
  }
  for (int number = 2; std::getline(in, line); ++number) {
    if (line.empty()) {
      continue;
    }
    const std::string problem = parse_member_line(line, result.members);
    if (!problem.empty()) {
      result.error = file.string() + " line " + std::to_string(number) + ": " + problem;
      result.members.clear();
      return result;
    }
  }
  return result;
}

std::string save_state(const std::filesystem::path& file, const MemberMap& members) {
  std::string data(kFormatLine);
  data += '\n';
  for (const auto& [mobile, m] : members) {
    data += mobile + ' ' + std::to_string(m.minutes) + ' ' + std::to_string(m.claim_week) + '\n';
  }
  std::filesystem::path temp = file;
  temp += ".tmp";
  std::string problem = write_durably(temp, data);
  if (problem.empty() && std::rename(temp.c_str(), file.c_str()) != 0) {
    problem = errno_text("cannot replace " + file.string());
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
  }
  return problem;
}

}  // namespace service
