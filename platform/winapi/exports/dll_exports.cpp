// The table through which the runtime calls the stand-ins by name: every
// function with its own argument-word count.
#include <span>
#include <vector>

#include "platform/winapi/advapi32/advapi32.h"
#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/codepage/codepage_exports.h"
#include "platform/winapi/exports/dll_exports.h"
#include "platform/winapi/kernel32/kernel32.h"
#include "platform/winapi/user32/user32.h"
#include "platform/winapi/wininet/wininet_exports.h"

namespace winapi {

namespace {

const abi::DllExport kOwnExports[] = {
    WINAPI_EXPORT(GetModuleFileNameA),
    WINAPI_EXPORT(lstrcatA),
    WINAPI_EXPORT(lstrlenA),
    WINAPI_EXPORT(LoadLibraryA),
    WINAPI_EXPORT(GetProcAddress),
    WINAPI_EXPORT(FreeLibrary),
    WINAPI_EXPORT(ExitProcess),
    WINAPI_EXPORT(GetCurrentProcessId),
    WINAPI_EXPORT(GetLastError),
    WINAPI_EXPORT(SetLastError),
    WINAPI_EXPORT(RegOpenKeyExA),
    WINAPI_EXPORT(RegQueryValueExA),
    WINAPI_EXPORT(RegCloseKey),
    WINAPI_EXPORT(MessageBoxA),
    WINAPI_EXPORT(EnumWindows),
    WINAPI_EXPORT(IsWindowVisible),
    WINAPI_EXPORT(GetWindowThreadProcessId),
    WINAPI_EXPORT(GetWindowTextA),
    WINAPI_EXPORT(GetClassNameA),
};

std::vector<abi::DllExport> all_exports() {
  std::vector<abi::DllExport> rows(std::begin(kOwnExports), std::end(kOwnExports));
  for (std::span<const abi::DllExport> part : {wininet_exports(), codepage_exports()}) {
    rows.insert(rows.end(), part.begin(), part.end());
  }
  return rows;
}

}  // namespace

}  // namespace winapi

extern "C" const abi::DllExportTable* GetDllExports() {
  static const std::vector<abi::DllExport> rows = winapi::all_exports();
  static const abi::DllExportTable table{rows.data(), rows.size()};
  return &table;
}
