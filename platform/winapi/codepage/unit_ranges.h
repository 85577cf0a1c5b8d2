// Eight UTF-16 units at a time against a range of units that all take two
// bytes in a code page and the ASCII units that take one: a size query
// adds them without a table read.
#pragma once

#include <cstdint>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace winapi::codepage {

struct UnitRange {
  char16_t first = 1;  // empty unless first <= last
  char16_t last = 0;
};

// How many of the eight units at `units` lie in `range`, when each lies
// there or below U+0080; nullopt when one lies elsewhere (or without SSE2).
inline std::optional<unsigned> count_in_range_or_ascii(const char16_t* units, UnitRange range) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
  const __m128i zero = _mm_setzero_si128();
  // Below the range, the difference wraps to a large value.
  const __m128i offset = _mm_sub_epi16(v, _mm_set1_epi16(static_cast<int16_t>(range.first)));
  const __m128i span = _mm_set1_epi16(static_cast<int16_t>(range.last - range.first));
  const __m128i in_range = _mm_cmpeq_epi16(_mm_subs_epu16(offset, span), zero);
  const __m128i ascii = _mm_cmpeq_epi16(_mm_subs_epu16(v, _mm_set1_epi16(0x7F)), zero);
  if (_mm_movemask_epi8(_mm_or_si128(in_range, ascii)) != 0xFFFF || range.first > range.last) {
    return std::nullopt;
  }
  return static_cast<unsigned>(__builtin_popcount(_mm_movemask_epi8(in_range))) / 2;
#else
  (void)units;
  (void)range;
  return std::nullopt;
#endif
}

}  // namespace winapi::codepage
