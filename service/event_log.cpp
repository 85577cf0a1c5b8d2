#include "service/event_log.h"

#include <cstdio>

namespace service {

EventLog::EventLog(std::optional<std::filesystem::path> file, bool echo)
    : file_path_(std::move(file)), echo_(echo) {
  if (file_path_) {
    file_.open(*file_path_, std::ios::app | std::ios::binary);
  }
}

void EventLog::write(std::string_view line) {
  std::lock_guard lock(mutex_);
  if (echo_) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  if (file_.is_open()) {
    file_ << line << '\n';
    file_.flush();
  }
}

}  // namespace service
