// user32.dll.so's functions: message boxes and the top-level windows.
#include <iterator>

#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/exports/dll_exports.h"
#include "platform/winapi/user32/user32.h"

namespace {

const winapi::DllExport kRows[] = {
    WINAPI_EXPORT(MessageBoxA),     WINAPI_EXPORT(EnumWindows),
    WINAPI_EXPORT(IsWindowVisible), WINAPI_EXPORT(GetWindowThreadProcessId),
    WINAPI_EXPORT(GetWindowTextA),  WINAPI_EXPORT(GetClassNameA),
};

const winapi::DllExportTable kTable{kRows, std::size(kRows)};

}  // namespace

extern "C" const winapi::DllExportTable* GetDllExports() {
  return &kTable;
}
