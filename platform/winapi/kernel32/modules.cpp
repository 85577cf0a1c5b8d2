// Module loading over the dynamic loader. The loader's handles are handed out
// as module handles, but only after they were checked against the set this
// file opened: a stale or made-up handle is refused instead of reaching
// dlsym/dlclose, where it would be undefined behaviour.
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/paths/paths.h"
#include "platform/winapi/base/last_error.h"
#include "platform/winapi/kernel32/kernel32.h"

namespace {

struct LoadedModules {
  std::mutex mutex;
  std::map<void*, int> references;
};

LoadedModules& loaded_modules() {
  static LoadedModules modules;
  return modules;
}

bool is_loaded(void* handle) {
  auto& modules = loaded_modules();
  std::lock_guard lock(modules.mutex);
  return modules.references.contains(handle);
}

bool file_exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

extern "C" {

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
  if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
    winapi::set_last_error(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string path = paths::host_path(lpLibFileName).string();
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    // A file that is there but does not load is a bad image, as on Windows.
    winapi::set_last_error(file_exists(path) ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  auto& modules = loaded_modules();
  std::lock_guard lock(modules.mutex);
  ++modules.references[handle];
  return handle;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (!is_loaded(hModule)) {
    winapi::set_last_error(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Names below 0x10000 are ordinals on Windows; there are none here.
  if (reinterpret_cast<uintptr_t>(lpProcName) < 0x10000) {
    winapi::set_last_error(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = ::dlsym(hModule, lpProcName);
  if (symbol == nullptr) {
    winapi::set_last_error(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule) {
  auto& modules = loaded_modules();
  {
    std::lock_guard lock(modules.mutex);
    auto it = modules.references.find(hLibModule);
    if (it == modules.references.end()) {
      winapi::set_last_error(ERROR_INVALID_HANDLE);
      return 0;
    }
    if (--it->second == 0) {
      modules.references.erase(it);
    }
  }
  ::dlclose(hLibModule);
  return 1;
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::string path;
  if (hModule == nullptr) {
    path = paths::ansi_path(paths::program_file_path());
    if (path.empty()) {
      winapi::set_last_error(ERROR_MOD_NOT_FOUND);
      return 0;
    }
  } else {
    if (!is_loaded(hModule)) {
      winapi::set_last_error(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    struct link_map* map = nullptr;
    if (::dlinfo(hModule, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
      winapi::set_last_error(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    path = paths::ansi_path(map->l_name);
  }
  if (lpFilename == nullptr || nSize == 0) {
    winapi::set_last_error(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= nSize) {
    std::memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    winapi::set_last_error(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::memcpy(lpFilename, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

}  // extern "C"
