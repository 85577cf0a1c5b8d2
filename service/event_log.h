// What the stand-in "does" in the world: the calls it would place. Each line
// goes to standard output at once and, when a log file is given, is appended
// to it, so a person can read the voice code they would have heard.
#pragma once

#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace service {

class EventLog {
 public:
  // `echo` sends lines to standard output as well.
  EventLog(std::optional<std::filesystem::path> file, bool echo);

  // False when the log file cannot be opened.
  bool ok() const { return !file_path_ || file_.is_open(); }
  void write(std::string_view line);

 private:
  std::mutex mutex_;
  std::optional<std::filesystem::path> file_path_;
  std::ofstream file_;
  bool echo_;
};

}  // namespace service
