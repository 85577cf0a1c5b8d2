#include "platform/winapi/codepage/processor_features.h"

#include <cpuid.h>

#include <cstdint>

namespace winapi::codepage {
namespace {

constexpr uint64_t kSseAndAvxState = 0x6;  // XCR0: XMM and YMM registers

uint64_t enabled_register_state() {
  uint32_t low = 0;
  uint32_t high = 0;
  __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return (static_cast<uint64_t>(high) << 32) | low;
}

}  // namespace

ProcessorFeatures read_processor_features() {
  ProcessorFeatures features;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) {
    return features;
  }
  features.sse41 = (ecx & bit_SSE4_1) != 0;
  const bool avx_usable = (ecx & bit_AVX) != 0 && (ecx & bit_OSXSAVE) != 0 &&
                          (enabled_register_state() & kSseAndAvxState) == kSseAndAvxState;
  if (avx_usable && __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0) {
    features.avx2 = (ebx & bit_AVX2) != 0;
  }
  return features;
}

}  // namespace winapi::codepage
