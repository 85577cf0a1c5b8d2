// Runtime core DLLs for the launcher's Windows tests, one per behaviour
// (TEST_RUNTIME_KIND): they report on stdout what the launcher asked of them
// and which file they were loaded from.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define KIND_RECORDS 1
#define KIND_NO_EXPORT 2

namespace {

[[maybe_unused]] void entry(void* image) {
  char path[MAX_PATH] = {};
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<const char*>(&entry), &self);
  GetModuleFileNameA(self, path, MAX_PATH);
  std::printf("entry image=%s library=%s\n", static_cast<const char*>(image), path);
  std::fflush(stdout);
  std::exit(0);
}

}  // namespace

#if TEST_RUNTIME_KIND == KIND_RECORDS
extern "C" __declspec(dllexport) void (*GetNewSock(uint32_t key))(void*) {
  std::printf("GetNewSock key=%u\n", key);
  std::fflush(stdout);
  return &entry;
}
#endif
