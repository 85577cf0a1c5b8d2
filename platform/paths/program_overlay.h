// Writes under a program directory that the user cannot write (an installed
// program in /usr/lib/lanyinbao) go to a per-user overlay instead, and reads
// of such paths look there first, so a program that keeps files beside itself
// works unchanged when installed read-only. Windows does the same for a
// program's writes under its protected program folders.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/paths/paths.h"

namespace paths {

class ProgramOverlay {
 public:
  // `active` says whether the program directory is read-only for this user;
  // an inactive overlay redirects nothing.
  ProgramOverlay(std::filesystem::path program_directory, std::filesystem::path store, bool active);

  // The host path to use instead of `host`, or nothing to use it as it is:
  // a write under the program directory goes to the store (whose root is
  // created, private, on first use); a read goes there when the file exists.
  std::optional<std::filesystem::path> redirect(const std::filesystem::path& host, Use use) const;

 private:
  std::filesystem::path program_directory_;
  std::filesystem::path store_;
  bool active_;
};

// This process's overlay: ${XDG_DATA_HOME:-~/.local/share}/<program name>/program,
// active when the program file's directory is not writable. Decided once.
const ProgramOverlay& program_overlay();

}  // namespace paths
