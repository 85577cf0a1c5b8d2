// The byte-vector operations the UTF-8 kernels are written in, for sixteen
// bytes (SSE4.1) and thirty-two (AVX2). Included only by the files compiled
// for that instruction set; everything here has internal linkage, so no
// copy built for one set is ever linked in place of another.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace {

#if defined(__SSE4_1__)
struct Bytes16 {
  using V = __m128i;
  static constexpr size_t kSize = 16;

  static V load(const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
  static V all(uint8_t byte) { return _mm_set1_epi8(static_cast<char>(byte)); }
  static V zero() { return _mm_setzero_si128(); }
  // `table` gives a byte for each of the sixteen values of a nibble.
  static V table(const uint8_t (&t)[16]) { return load(t); }
  static V lookup(V table, V nibbles) { return _mm_shuffle_epi8(table, nibbles); }
  static V high_nibbles(V v) { return _mm_and_si128(_mm_srli_epi16(v, 4), all(0x0F)); }
  static V low_nibbles(V v) { return _mm_and_si128(v, all(0x0F)); }
  static V both(V a, V b) { return _mm_and_si128(a, b); }
  static V either(V a, V b) { return _mm_or_si128(a, b); }
  static V differ(V a, V b) { return _mm_xor_si128(a, b); }
  static V minus_saturated(V v, uint8_t floor) { return _mm_subs_epu8(v, all(floor)); }
  static V add(V a, V b) { return _mm_add_epi8(a, b); }
  static bool any(V v) { return _mm_testz_si128(v, v) == 0; }
  // Byte i of the result is byte i - k of the stream `previous`, `current`.
  template <int k>
  static V earlier(V current, V previous) {
    return _mm_alignr_epi8(current, previous, 16 - k);
  }
  static size_t sum(V counts) {
    const V halves = _mm_sad_epu8(counts, zero());
    return static_cast<size_t>(_mm_cvtsi128_si32(halves)) +
           static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
  }
};
#endif

#if defined(__AVX2__)
struct Bytes32 {
  using V = __m256i;
  static constexpr size_t kSize = 32;

  static V load(const unsigned char* p) {
    return _mm256_loadu_si256(reinterpret_cast<const V*>(p));
  }
  static V all(uint8_t byte) { return _mm256_set1_epi8(static_cast<char>(byte)); }
  static V zero() { return _mm256_setzero_si256(); }
  static V table(const uint8_t (&t)[16]) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t)));
  }
  static V lookup(V table, V nibbles) { return _mm256_shuffle_epi8(table, nibbles); }
  static V high_nibbles(V v) { return _mm256_and_si256(_mm256_srli_epi16(v, 4), all(0x0F)); }
  static V low_nibbles(V v) { return _mm256_and_si256(v, all(0x0F)); }
  static V both(V a, V b) { return _mm256_and_si256(a, b); }
  static V either(V a, V b) { return _mm256_or_si256(a, b); }
  static V differ(V a, V b) { return _mm256_xor_si256(a, b); }
  static V minus_saturated(V v, uint8_t floor) { return _mm256_subs_epu8(v, all(floor)); }
  static V add(V a, V b) { return _mm256_add_epi8(a, b); }
  static bool any(V v) { return _mm256_testz_si256(v, v) == 0; }
  template <int k>
  static V earlier(V current, V previous) {
    return _mm256_alignr_epi8(current, _mm256_permute2x128_si256(previous, current, 0x21), 16 - k);
  }
  static size_t sum(V counts) {
    const V quarters = _mm256_sad_epu8(counts, zero());
    const __m128i halves =
        _mm_add_epi64(_mm256_castsi256_si128(quarters), _mm256_extracti128_si256(quarters, 1));
    return static_cast<size_t>(_mm_cvtsi128_si32(halves)) +
           static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
  }
};
#endif

}  // namespace
