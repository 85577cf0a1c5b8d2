#include "platform/paths/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <system_error>

#include "platform/gbk/gbk_chars.h"
#include "platform/gbk/gbk_codec.h"
#include "platform/paths/program_overlay.h"
#include "platform/paths/user_dirs.h"

namespace paths {
namespace {

namespace fs = std::filesystem;

fs::path home_directory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    return home;
  }
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

// The drive folders hold the user's files (pictures, cookies nearby), so
// they are private. mkdir leaves an existing directory as it is.
void make_private_directory(const fs::path& dir) {
  ::mkdir(dir.c_str(), 0700);
}

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

// Backslashes become slashes, by character, then the text becomes UTF-8.
std::string host_text(std::string_view ansi) {
  std::string slashed(ansi);
  for (size_t i = 0; i < slashed.size(); i += gbk::char_length(slashed, i)) {
    if (slashed[i] == '\\') {
      slashed[i] = '/';
    }
  }
  return gbk::to_utf8(slashed);
}

// A path without a drive letter, as the file system names it.
fs::path plain_path(std::string_view path, Use use) {
  fs::path host = host_text(path);
  if (auto overlaid = program_overlay().redirect(host, use)) {
    return *std::move(overlaid);
  }
  return host;
}

}  // namespace

// XDG says a relative value is to be ignored.
fs::path data_home() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
    return xdg;
  }
  return home_directory() / ".local" / "share";
}

fs::path drive_directory(char letter) {
  const fs::path base = data_home();
  std::error_code ignored;
  fs::create_directories(base, ignored);
  const fs::path winapi = base / "winapi";
  make_private_directory(winapi);
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  fs::path drive = winapi / (std::string("drive_") + lower);
  make_private_directory(drive);
  return drive;
}

fs::path host_path(std::string_view path, Use use) {
  const bool has_drive =
      path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) != 0;
  if (!has_drive) {
    return plain_path(path, use);
  }
  std::string_view rest = path.substr(2);
  while (!rest.empty() && is_separator(rest.front())) {
    rest.remove_prefix(1);
  }
  fs::path drive = drive_directory(path[0]);
  if (rest.empty()) {
    return drive;
  }
  return drive / host_text(rest);
}

std::string ansi_path(const fs::path& host) {
  return gbk::from_utf8(host.string());
}

fs::path program_file_path() {
  std::error_code error;
  fs::path file = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : file;
}

std::string program_directory() {
  std::string dir = ansi_path(program_file_path().parent_path());
  while (!dir.empty() && dir.back() == '/') {
    dir.pop_back();
  }
  return dir;
}

}  // namespace paths
