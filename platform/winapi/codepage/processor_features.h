// The vector instruction sets the UTF-8 kernels use, read from the processor.
// Reading them here rather than through the compiler's built-in check keeps
// its start-up constructor, which questions the processor a dozen times on
// every load, out of the library.
#pragma once

namespace winapi::codepage {

struct ProcessorFeatures {
  bool sse41 = false;
  bool avx2 = false;  // in the processor, and its registers saved by the operating system
};

// Asks the processor each time; callers keep the answer.
ProcessorFeatures read_processor_features();

}  // namespace winapi::codepage
