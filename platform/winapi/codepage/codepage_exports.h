// The code-page functions as rows of libwinapi.so's export table.
#pragma once

#include <span>

#include "runtime/abi.h"

std::span<const abi::DllExport> codepage_exports();
