#include "launcher/launcher.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gbk/gbk_chars.h"
#include "platform/winapi/advapi32/advapi32.h"
#include "platform/winapi/kernel32/kernel32.h"
#include "platform/winapi/user32/user32.h"
#include "runtime/abi.h"

namespace {

constexpr char kLocalLibrary[] = "krnln.fnr";
constexpr char kInstalledLibrary[] = "krnln.fne";
constexpr char kEntryExport[] = "GetNewSock";
constexpr char kInstallKey[] = "Software\\Norvex\\Q\\Install";
constexpr char kInstallValue[] = "Path";
constexpr char kMessage[] = "Not found the kernel library or the kernel library is invalid!";
constexpr char kTitle[] = "Error";
constexpr UINT kMessageStyle = MB_OK | MB_ICONERROR;
// The registered directory, a separator, the file name and the zero must fit.
constexpr DWORD kPathBufferSize = 260;
constexpr DWORD kMaxProgramPath = 1 << 20;

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

// Where the last separator character ends (0 when there is none). The text
// is walked by GBK characters: the trail byte of a character such as "誠"
// (D5 5C) is no separator.
size_t after_last_separator(std::string_view path) {
  size_t after = 0;
  for (size_t at = 0; at < path.size();) {
    const size_t length = gbk::char_length(path, at);
    if (length == 1 && is_separator(path[at])) {
      after = at + 1;
    }
    at += length;
  }
  return after;
}

// The program file's directory with its trailing separator. The path is
// read whole however deep the directory is.
std::optional<std::string> program_directory() {
  std::vector<char> buffer(kPathBufferSize);
  DWORD length = 0;
  while (true) {
    const auto size = static_cast<DWORD>(buffer.size());
    length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) {
      return std::nullopt;
    }
    if (length < size) {
      break;
    }
    if (size >= kMaxProgramPath) {
      return std::nullopt;
    }
    buffer.resize(size * 2);
  }
  const std::string_view path(buffer.data(), length);
  const size_t directory_length = after_last_separator(path);
  if (directory_length == 0) {
    return std::nullopt;
  }
  return std::string(path.substr(0, directory_length));
}

HMODULE load_from_program_directory() {
  const std::optional<std::string> directory = program_directory();
  return directory ? LoadLibraryA((*directory + kLocalLibrary).c_str()) : nullptr;
}

// The library in the installation directory that the registry names. A value
// that leaves no room for the file name fails instead of overflowing.
HMODULE load_from_installation() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kInstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  char path[kPathBufferSize] = {};
  DWORD size = kPathBufferSize - 1;
  const LSTATUS status =
      RegQueryValueExA(key, kInstallValue, nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    return nullptr;
  }
  // The type is not examined: a value stored without a zero ends here.
  path[size] = '\0';
  const int length = lstrlenA(path);
  if (length == 0) {
    return nullptr;
  }
  const bool has_separator =
      after_last_separator({path, static_cast<size_t>(length)}) == static_cast<size_t>(length);
  const size_t needed =
      static_cast<size_t>(length) + (has_separator ? 0 : 1) + sizeof(kInstalledLibrary);
  if (needed > kPathBufferSize) {
    return nullptr;
  }
  if (!has_separator) {
    lstrcatA(path, "/");
  }
  lstrcatA(path, kInstalledLibrary);
  return LoadLibraryA(path);
}

}  // namespace

int run_launcher(void* image) {
  // The library beside the program always wins over the installation.
  HMODULE library = load_from_program_directory();
  if (library == nullptr) {
    library = load_from_installation();
  }
  if (library != nullptr) {
    const auto get_new_sock =
        reinterpret_cast<abi::GetNewSockFn>(GetProcAddress(library, kEntryExport));
    const abi::RuntimeEntryFn entry =
        get_new_sock != nullptr ? get_new_sock(abi::kGetNewSockKey) : nullptr;
    if (entry != nullptr) {
      entry(image);
      ExitProcess(0);
    }
    FreeLibrary(library);
  }
  MessageBoxA(nullptr, kMessage, kTitle, kMessageStyle);
  return -1;
}
