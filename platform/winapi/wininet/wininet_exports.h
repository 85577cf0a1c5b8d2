// The WinINet functions as rows of wininet.dll.so's export table.
#pragma once

#include <span>

#include "platform/winapi/base/dll_export_table.h"

std::span<const winapi::DllExport> wininet_exports();
