// The vector instruction sets the UTF-8 kernels use, read from the processor
// when first asked. Reading them here rather than through the compiler's
// built-in check keeps its start-up constructor, which questions the
// processor a dozen times on every load, out of the library.
#pragma once

namespace winapi::codepage {

bool processor_has_sse41();

// AVX2 in the processor and its registers saved by the operating system.
bool processor_has_avx2();

}  // namespace winapi::codepage
