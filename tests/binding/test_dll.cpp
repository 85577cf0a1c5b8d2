// A library reachable through CallDllFunction, for the binding tests.
#include "runtime/abi.h"

namespace {

uint64_t add(const uint64_t* words) {
  return words[0] + words[1];
}

const abi::DllExport kExports[] = {{"Add", 2, &add}};
const abi::DllExportTable kTable = {kExports, 1};

}  // namespace

extern "C" __attribute__((visibility("default"))) const abi::DllExportTable* GetDllExports() {
  return &kTable;
}
