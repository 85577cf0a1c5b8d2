// The WinINet functions as rows of libwinapi.so's export table.
#pragma once

#include <span>

#include "runtime/abi.h"

std::span<const abi::DllExport> wininet_exports();
