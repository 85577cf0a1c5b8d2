// advapi32.dll.so's functions: reading the registry.
#include <iterator>

#include "platform/winapi/advapi32/advapi32.h"
#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/exports/dll_exports.h"

namespace {

const winapi::DllExport kRows[] = {
    WINAPI_EXPORT(RegOpenKeyExA),
    WINAPI_EXPORT(RegQueryValueExA),
    WINAPI_EXPORT(RegCloseKey),
};

const winapi::DllExportTable kTable{kRows, std::size(kRows)};

}  // namespace

extern "C" const winapi::DllExportTable* GetDllExports() {
  return &kTable;
}
