// libFuzzer target over the image reader (built with clang only).
#include "tests/image/fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  image_fuzz::run_one(data, size);
  return 0;
}
