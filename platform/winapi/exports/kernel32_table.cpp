// kernel32.dll.so's functions: modules, the process, ANSI strings, the last
// error and the code pages.
#include <span>
#include <vector>

#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/codepage/codepage_exports.h"
#include "platform/winapi/exports/dll_exports.h"
#include "platform/winapi/kernel32/kernel32.h"

namespace {

const winapi::DllExport kProcessExports[] = {
    WINAPI_EXPORT(GetModuleFileNameA), WINAPI_EXPORT(lstrcatA),
    WINAPI_EXPORT(lstrlenA),           WINAPI_EXPORT(LoadLibraryA),
    WINAPI_EXPORT(GetProcAddress),     WINAPI_EXPORT(FreeLibrary),
    WINAPI_EXPORT(ExitProcess),        WINAPI_EXPORT(GetCurrentProcessId),
    WINAPI_EXPORT(GetLastError),       WINAPI_EXPORT(SetLastError),
};

std::vector<winapi::DllExport> all_rows() {
  std::vector<winapi::DllExport> rows(std::begin(kProcessExports), std::end(kProcessExports));
  const std::span<const winapi::DllExport> code_pages = codepage_exports();
  rows.insert(rows.end(), code_pages.begin(), code_pages.end());
  return rows;
}

}  // namespace

extern "C" const winapi::DllExportTable* GetDllExports() {
  static const std::vector<winapi::DllExport> rows = all_rows();
  static const winapi::DllExportTable table{rows.data(), rows.size()};
  return &table;
}
