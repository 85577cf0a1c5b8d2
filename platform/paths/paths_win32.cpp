#include "platform/paths/paths.h"

#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

// On Windows the program's paths are the system's own: ANSI text in the
// system's code page, drive letters included, so nothing is mapped.
namespace paths {
namespace {

namespace fs = std::filesystem;

// The program file's path is read whole however deep its directory is.
constexpr DWORD kFirstPathBuffer = MAX_PATH;
constexpr DWORD kMaxPathBuffer = 1 << 16;

std::wstring wide_from_ansi(std::string_view ansi) {
  if (ansi.empty()) {
    return {};
  }
  const int in = static_cast<int>(ansi.size());
  std::wstring out(ansi.size(), L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), in, out.data(), in);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::string ansi_from_wide(std::wstring_view wide) {
  if (wide.empty()) {
    return {};
  }
  const int in = static_cast<int>(wide.size());
  std::string out(wide.size() * 2, '\0');
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), in, out.data(),
                                    static_cast<int>(out.size()), "?", nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

}  // namespace

fs::path host_path(std::string_view ansi_path, Use) {
  return fs::path(wide_from_ansi(ansi_path));
}

std::string ansi_path(const fs::path& host) {
  return ansi_from_wide(host.native());
}

fs::path drive_directory(char letter) {
  const wchar_t upper = static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(letter)));
  return fs::path(std::wstring{upper, L':', L'\\'});
}

fs::path program_file_path() {
  std::vector<wchar_t> buffer(kFirstPathBuffer);
  while (buffer.size() <= kMaxPathBuffer) {
    const auto size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) {
      return {};
    }
    if (length < size) {
      return fs::path(std::wstring(buffer.data(), length));
    }
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

std::string program_directory() {
  std::string dir = ansi_path(program_file_path().parent_path());
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) {
    dir.pop_back();
  }
  return dir;
}

}  // namespace paths
