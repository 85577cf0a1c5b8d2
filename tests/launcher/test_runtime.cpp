// Stand-ins of the runtime core library for the launcher tests, one per
// behaviour (chosen by TEST_RUNTIME_KIND). They report on stdout what the
// launcher asked of them and, on stderr, when they are unloaded.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define KIND_RECORDS 1
#define KIND_NO_EXPORT 2
#define KIND_REFUSES 3
#define KIND_RETURNS 4

namespace {

const char* own_path() {
  Dl_info info{};
  ::dladdr(reinterpret_cast<void*>(&own_path), &info);
  return info.dli_fname != nullptr ? info.dli_fname : "?";
}

[[maybe_unused]] void entry(void* image) {
  std::printf("entry image=%s library=%s\n", static_cast<const char*>(image), own_path());
  std::fflush(stdout);
#if TEST_RUNTIME_KIND == KIND_RECORDS
  std::exit(0);
#endif
}

__attribute__((destructor)) void unloaded() {
  std::fputs("runtime unloaded\n", stderr);
}

}  // namespace

#if TEST_RUNTIME_KIND != KIND_NO_EXPORT
extern "C" __attribute__((visibility("default"))) void (*GetNewSock(uint32_t key))(void*) {
  std::printf("GetNewSock key=%u\n", key);
  std::fflush(stdout);
#if TEST_RUNTIME_KIND == KIND_REFUSES
  return nullptr;
#else
  return &entry;
#endif
}
#endif
