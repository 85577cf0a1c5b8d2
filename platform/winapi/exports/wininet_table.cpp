// wininet.dll.so's functions: the WinINet subset over libcurl.
#include <span>

#include "platform/winapi/exports/dll_exports.h"
#include "platform/winapi/wininet/wininet_exports.h"

extern "C" const winapi::DllExportTable* GetDllExports() {
  static const std::span<const winapi::DllExport> rows = wininet_exports();
  static const winapi::DllExportTable table{rows.data(), rows.size()};
  return &table;
}
