// The export table of libwinapi.so, found by the runtime under
// abi::kDllExportTableSymbol.
#pragma once

#include "platform/winapi/api.h"
#include "runtime/abi.h"

extern "C" WINAPI_API const abi::DllExportTable* GetDllExports();
