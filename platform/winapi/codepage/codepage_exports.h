// The code-page functions as rows of kernel32.dll.so's export table.
#pragma once

#include <span>

#include "platform/winapi/base/dll_export_table.h"

std::span<const winapi::DllExport> codepage_exports();
