// The cookie parsers' fuzz entry, shared by the fuzzer and the corpus replay.
// Input: the origin host, a newline, then a cookie line.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
