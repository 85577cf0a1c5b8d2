// The registry parser's fuzz entry, shared by the fuzzer and the corpus replay.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
