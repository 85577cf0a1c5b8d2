// Where a program's "c:\..." paths land, for tests that check the mapped
// path: the per-user drive folder under XDG_DATA_HOME on Linux, the system's
// own C: drive on Windows.
#pragma once

#include <filesystem>

namespace test_support {

inline std::filesystem::path drive_c(const std::filesystem::path& data_home) {
#ifdef _WIN32
  (void)data_home;
  return L"c:\\";
#else
  return data_home / "winapi" / "drive_c";
#endif
}

// A file name typed in UTF-8 in a test, whatever the host's narrow encoding.
inline std::filesystem::path utf8_path(const char* utf8) {
  return std::filesystem::path(reinterpret_cast<const char8_t*>(utf8));
}

}  // namespace test_support
