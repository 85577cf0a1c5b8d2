// Open registry keys: each handle names a key path; handles are never reused,
// so a closed handle stays invalid.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/winapi/advapi32/advapi32.h"
#include "platform/winapi/advapi32/registry_file.h"

namespace {

constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
// The file is a handful of lines; anything this large is not a hive.
constexpr std::streamsize kMaxFileSize = 16 << 20;

std::string registry_file_path() {
  const char* named = std::getenv("WINAPI_REGISTRY");
  if (named != nullptr && *named != '\0') {
    return named;  // a host path, as the environment gives it
  }
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    return std::string(config) + "/winapi/user.reg";
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') {
    return std::string(home) + "/.config/winapi/user.reg";
  }
  return {};
}

winapi::registry::Registry load_registry() {
  const std::string path = registry_file_path();
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (path.empty() || !file) {
    return {};
  }
  const std::streamsize size = file.tellg();
  if (size < 0 || size > kMaxFileSize) {
    std::fprintf(stderr, "winapi: %s is too large to be a registry file; it is ignored\n",
                 path.c_str());
    return {};
  }
  std::string text(static_cast<size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(text.data(), size)) {
    return {};
  }
  auto parsed = winapi::registry::parse_registry(text);
  if (!parsed.ok()) {
    std::fprintf(stderr, "winapi: %s line %zu: %s; the registry file is ignored\n", path.c_str(),
                 parsed.line, parsed.error.c_str());
  }
  return std::move(parsed.registry);
}

struct OpenKeys {
  std::mutex mutex;
  std::map<uintptr_t, std::string> paths;
  uintptr_t next = 0x1000;
};

OpenKeys& open_keys() {
  static OpenKeys keys;
  return keys;
}

// The predefined key also arrives as its 32-bit value, zero-extended.
bool is_current_user(HKEY key) {
  const auto word = reinterpret_cast<uintptr_t>(key);
  return key == HKEY_CURRENT_USER || word == 0x80000001u;
}

std::optional<std::string> key_path(HKEY key) {
  if (is_current_user(key)) {
    return std::string(kCurrentUser);
  }
  auto& keys = open_keys();
  std::lock_guard lock(keys.mutex);
  auto it = keys.paths.find(reinterpret_cast<uintptr_t>(key));
  if (it == keys.paths.end()) {
    return std::nullopt;
  }
  return it->second;
}

}  // namespace

extern "C" {

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
  if (phkResult == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  *phkResult = nullptr;
  std::optional<std::string> path = key_path(hKey);
  if (!path) {
    return ERROR_INVALID_HANDLE;
  }
  // An empty subkey opens the given key again.
  if (lpSubKey != nullptr && *lpSubKey != '\0') {
    if (*lpSubKey == '\\') {
      return ERROR_FILE_NOT_FOUND;
    }
    *path += '\\';
    *path += lpSubKey;
    if (!load_registry().has_key(*path)) {
      return ERROR_FILE_NOT_FOUND;
    }
  }
  auto& keys = open_keys();
  std::lock_guard lock(keys.mutex);
  const uintptr_t handle = keys.next;
  keys.next += 4;
  keys.paths.emplace(handle, std::move(*path));
  *phkResult = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         BYTE* lpData, LPDWORD lpcbData) {
  if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::optional<std::string> path = key_path(hKey);
  if (!path) {
    return ERROR_INVALID_HANDLE;
  }
  const auto registry = load_registry();
  const auto* value = registry.find_value(*path, lpValueName == nullptr ? "" : lpValueName);
  if (value == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  if (lpType != nullptr) {
    *lpType = value->type;
  }
  const auto size = static_cast<DWORD>(value->data.size());
  LSTATUS status = ERROR_SUCCESS;
  if (lpData != nullptr) {
    if (*lpcbData < size) {
      status = ERROR_MORE_DATA;
    } else {
      std::memcpy(lpData, value->data.data(), size);
    }
  }
  if (lpcbData != nullptr) {
    *lpcbData = size;
  }
  return status;
}

LSTATUS RegCloseKey(HKEY hKey) {
  if (is_current_user(hKey)) {
    return ERROR_SUCCESS;
  }
  auto& keys = open_keys();
  std::lock_guard lock(keys.mutex);
  return keys.paths.erase(reinterpret_cast<uintptr_t>(hKey)) == 1 ? ERROR_SUCCESS
                                                                  : ERROR_INVALID_HANDLE;
}

}  // extern "C"
