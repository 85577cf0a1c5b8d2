// The export table of a stand-in library, found by the runtime's DLL host
// under winapi::kDllExportTableSymbol. Each library defines it once, over
// its own functions only.
#pragma once

#include "platform/winapi/api.h"
#include "platform/winapi/base/dll_export_table.h"

extern "C" WINAPI_API const winapi::DllExportTable* GetDllExports();
