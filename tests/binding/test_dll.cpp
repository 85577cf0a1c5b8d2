// A library reachable through CallDllFunction, for the binding tests.
#include "platform/winapi/base/dll_export_table.h"

namespace {

uintptr_t add(const uintptr_t* words) {
  return words[0] + words[1];
}

const winapi::DllExport kExports[] = {{"Add", 2, &add}};
const winapi::DllExportTable kTable = {kExports, 1};

}  // namespace

extern "C" __attribute__((visibility("default"))) const winapi::DllExportTable* GetDllExports() {
  return &kTable;
}
