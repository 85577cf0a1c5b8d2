// The program file's calls into kernel32, user32 and advapi32. Each stand-in
// is loaded from the program directory (found through the program file's
// run path, as a library it named would be) on the first call of one of its
// functions, as a delay-loaded DLL is on Windows: a normal start calls only
// kernel32. A stand-in that is missing or lacks the function ends the
// program with the dynamic loader's message and status.
//
// Loaded with dlopen, the stand-ins also stay out of the list of libraries
// the loader searches for every symbol any library looks up at start-up;
// named by the program file they would sit in that list ahead of most of
// Qt's own libraries and lengthen thousands of those searches.
#include <dlfcn.h>
#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/winapi/advapi32/advapi32.h"
#include "platform/winapi/kernel32/kernel32.h"
#include "platform/winapi/user32/user32.h"

namespace {

constexpr char kKernel32[] = "kernel32.dll.so";
constexpr char kUser32[] = "user32.dll.so";
constexpr char kAdvapi32[] = "advapi32.dll.so";

constexpr int kLoaderFailure = 127;  // the dynamic loader's status for a missing library

[[noreturn]] void fail(const char* what, const char* why) {
  std::fprintf(stderr, "%s: %s: %s\n", program_invocation_short_name, what, why);
  std::_Exit(kLoaderFailure);
}

// The directories the loader searches for the program file's own libraries,
// in its order: LD_LIBRARY_PATH, the run path with $ORIGIN expanded, the
// system's. A plain name given to dlopen would be searched through the run
// path of whichever library calls dlopen, which a sanitizer's interceptor
// changes; a full path from this list does not depend on the caller.
std::vector<std::string> library_directories() {
  void* program = dlopen(nullptr, RTLD_LAZY);
  Dl_serinfo size{};
  if (program == nullptr || dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0) {
    return {};
  }
  const std::unique_ptr<Dl_serinfo, decltype(&std::free)> info(
      static_cast<Dl_serinfo*>(std::malloc(size.dls_size)), &std::free);
  if (info == nullptr || dlinfo(program, RTLD_DI_SERINFOSIZE, info.get()) != 0 ||
      dlinfo(program, RTLD_DI_SERINFO, info.get()) != 0) {
    return {};
  }
  std::vector<std::string> directories;
  for (unsigned i = 0; i < info->dls_cnt; ++i) {
    directories.emplace_back(info->dls_serpath[i].dls_name);
  }
  return directories;
}

// The stand-in stays loaded for the rest of the process, as imported DLLs do.
void* load(const std::string& file) {
  static const std::vector<std::string> directories = library_directories();
  for (const std::string& directory : directories) {
    const std::string path = directory + "/" + file;
    if (::access(path.c_str(), F_OK) == 0) {
      void* library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
      if (library == nullptr) {
        fail("error while loading shared libraries", dlerror());
      }
      return library;
    }
  }
  fail("error while loading shared libraries",
       (file + ": cannot open shared object file: No such file or directory").c_str());
}

template <typename Function>
Function imported(const char* file, const char* name) {
  void* address = dlsym(load(file), name);
  if (address == nullptr) {
    fail("symbol lookup error", dlerror());
  }
  return reinterpret_cast<Function>(address);
}

}  // namespace

extern "C" {

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  static const auto target =
      imported<decltype(&GetModuleFileNameA)>(kKernel32, "GetModuleFileNameA");
  return target(hModule, lpFilename, nSize);
}

LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
  static const auto target = imported<decltype(&lstrcatA)>(kKernel32, "lstrcatA");
  return target(lpString1, lpString2);
}

int lstrlenA(LPCSTR lpString) {
  static const auto target = imported<decltype(&lstrlenA)>(kKernel32, "lstrlenA");
  return target(lpString);
}

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
  static const auto target = imported<decltype(&LoadLibraryA)>(kKernel32, "LoadLibraryA");
  return target(lpLibFileName);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  static const auto target = imported<decltype(&GetProcAddress)>(kKernel32, "GetProcAddress");
  return target(hModule, lpProcName);
}

BOOL FreeLibrary(HMODULE hLibModule) {
  static const auto target = imported<decltype(&FreeLibrary)>(kKernel32, "FreeLibrary");
  return target(hLibModule);
}

void ExitProcess(UINT uExitCode) {
  static const auto target = imported<decltype(&ExitProcess)>(kKernel32, "ExitProcess");
  target(uExitCode);
  std::_Exit(static_cast<int>(uExitCode));  // not reached: ExitProcess does not return
}

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                      PHKEY phkResult) {
  static const auto target = imported<decltype(&RegOpenKeyExA)>(kAdvapi32, "RegOpenKeyExA");
  return target(hKey, lpSubKey, ulOptions, samDesired, phkResult);
}

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         BYTE* lpData, LPDWORD lpcbData) {
  static const auto target = imported<decltype(&RegQueryValueExA)>(kAdvapi32, "RegQueryValueExA");
  return target(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
}

LSTATUS RegCloseKey(HKEY hKey) {
  static const auto target = imported<decltype(&RegCloseKey)>(kAdvapi32, "RegCloseKey");
  return target(hKey);
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  static const auto target = imported<decltype(&MessageBoxA)>(kUser32, "MessageBoxA");
  return target(hWnd, lpText, lpCaption, uType);
}

}  // extern "C"
