#include "platform/paths/program_overlay.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "platform/paths/user_dirs.h"

namespace paths {
namespace {

namespace fs = std::filesystem;

// The part of `path` below `directory`, or nothing when it lies elsewhere.
std::optional<fs::path> below(const fs::path& path, const fs::path& directory) {
  const fs::path relative = path.lexically_normal().lexically_relative(directory);
  if (relative.empty() || *relative.begin() == "..") {
    return std::nullopt;
  }
  return relative;
}

}  // namespace

ProgramOverlay::ProgramOverlay(fs::path program_directory, fs::path store, bool active)
    : program_directory_(program_directory.lexically_normal()),
      store_(std::move(store)),
      active_(active && !program_directory_.empty()) {}

std::optional<fs::path> ProgramOverlay::redirect(const fs::path& host, Use use) const {
  if (!active_ || !host.is_absolute()) {
    return std::nullopt;
  }
  const std::optional<fs::path> relative = below(host, program_directory_);
  if (!relative) {
    return std::nullopt;
  }
  const fs::path overlaid = *relative == "." ? store_ : (store_ / *relative).lexically_normal();
  std::error_code error;
  if (use == Use::Write) {
    fs::create_directories(store_.parent_path(), error);
    ::mkdir(store_.c_str(), 0700);
    return overlaid;
  }
  if (fs::exists(fs::symlink_status(overlaid, error))) {
    return overlaid;
  }
  return std::nullopt;
}

const ProgramOverlay& program_overlay() {
  static const ProgramOverlay overlay = [] {
    const fs::path program = program_file_path();
    const fs::path directory = program.parent_path();
    const bool read_only = !directory.empty() && ::access(directory.c_str(), W_OK) != 0;
    return ProgramOverlay(directory, data_home() / program.stem() / "program", read_only);
  }();
  return overlay;
}

}  // namespace paths
