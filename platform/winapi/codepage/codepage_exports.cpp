#include "platform/winapi/codepage/codepage_exports.h"

#include "platform/winapi/base/export_thunk.h"
#include "platform/winapi/codepage/codepage.h"

std::span<const winapi::DllExport> codepage_exports() {
  static const winapi::DllExport rows[] = {
      WINAPI_EXPORT(MultiByteToWideChar),
      WINAPI_EXPORT(WideCharToMultiByte),
      WINAPI_EXPORT(LCMapStringA),
  };
  return rows;
}
