// Stand-ins for the system DLLs, for the search of the empty library name:
// each answers its own number, so a test sees which library a call reached.
// kernel32 and user32 both export "Both".
#include "platform/winapi/base/dll_export_table.h"

namespace {

constexpr uintptr_t kOwnNumber = TEST_SYSTEM_DLL;

uintptr_t own_number(const uintptr_t*) {
  return kOwnNumber;
}

#if TEST_SYSTEM_DLL == 1
const winapi::DllExport kExports[] = {{"First", 0, &own_number}, {"Both", 0, &own_number}};
#elif TEST_SYSTEM_DLL == 2
const winapi::DllExport kExports[] = {{"Second", 0, &own_number}, {"Both", 0, &own_number}};
#else
const winapi::DllExport kExports[] = {{"Third", 0, &own_number}};
#endif
const winapi::DllExportTable kTable = {kExports, sizeof kExports / sizeof kExports[0]};

}  // namespace

extern "C" __attribute__((visibility("default"))) const winapi::DllExportTable* GetDllExports() {
  return &kTable;
}
