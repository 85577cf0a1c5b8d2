// A library reachable through CallDllFunction, for the binding tests.
#include <atomic>
#include <iterator>

#include "platform/winapi/base/dll_export_table.h"

namespace {

uintptr_t add(const uintptr_t* words) {
  return words[0] + words[1];
}

// Runs its own code until the process ends, as a call that never returns
// does; raises the flag its word points at once it runs.
std::atomic<bool> g_never;
uintptr_t spin(const uintptr_t* words) {
  reinterpret_cast<std::atomic<bool>*>(words[0])->store(true);
  while (!g_never.load(std::memory_order_relaxed)) {
  }
  return 0;
}

const winapi::DllExport kExports[] = {{"Add", 2, &add}, {"Spin", 1, &spin}};
const winapi::DllExportTable kTable = {kExports, std::size(kExports)};

}  // namespace

extern "C" __attribute__((visibility("default"))) const winapi::DllExportTable* GetDllExports() {
  return &kTable;
}
