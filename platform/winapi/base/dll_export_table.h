// What a library reachable through CallDllFunction exports: a table that
// names each function with its number of argument words and a thunk that
// takes the words. The stand-ins define it and the runtime's DLL host reads
// it; the program never sees it.
//
// Words are pointer-sized, as the arguments of a Windows function are on its
// stack. The host compares the caller's word count with `words`: a difference
// is runtime error 6, as an unbalanced stack is on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace winapi {

using ExportThunk = uintptr_t (*)(const uintptr_t* words);

struct DllExport {
  const char* name;
  uint32_t words;
  ExportThunk thunk;
};

struct DllExportTable {
  const DllExport* entries;
  size_t count;
};

inline constexpr const char* kDllExportTableSymbol = "GetDllExports";
using GetDllExportsFn = const DllExportTable* (*)();

}  // namespace winapi
