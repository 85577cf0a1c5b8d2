// libFuzzer's entry for one of the entries in fuzz_targets.h, chosen at build
// time by LYB_FUZZ_ENTRY.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return fuzz_targets::LYB_FUZZ_ENTRY(data, size);
}
