// Checks UTF-8 sixteen bytes at a time against the rules of well-formed
// text: every continuation byte a lead byte promises is there and no other
// is; C0, C1 and F5..FF never occur; the second byte after E0, ED, F0 and
// F4 lies in the narrower range that rules out overlong forms, surrogates
// and code points past U+10FFFF. Counts continuation bytes and four-byte
// leads on the way, which give the UTF-16 length of well-formed text.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstddef>

namespace winapi::codepage {

class Utf8BlockScanner {
 public:
  // Scans the next sixteen bytes and gives the mask of those that begin a
  // character (bit i: byte i is no continuation byte).
  [[gnu::always_inline]] unsigned scan(__m128i current) {
    const __m128i flipped = _mm_xor_si128(current, bytes_of(0x80));
    const __m128i one_back = earlier<1>(flipped);
    const __m128i promised =
        _mm_or_si128(_mm_or_si128(at_least(one_back, 0xC0), at_least(earlier<2>(flipped), 0xE0)),
                     at_least(earlier<3>(flipped), 0xF0));
    const __m128i continuation = _mm_cmplt_epi8(current, bytes_of(0xC0));  // 80..BF, signed
    const __m128i four_byte_lead = at_least(flipped, 0xF0);
    __m128i fault = _mm_xor_si128(promised, continuation);
    fault = _mm_or_si128(fault, at_least(flipped, 0xF5));
    fault = _mm_or_si128(fault, _mm_cmpeq_epi8(_mm_or_si128(flipped, bytes_of(1)), bytes_of(0x41)));
    const __m128i from_a0 = at_least(flipped, 0xA0);
    const __m128i from_90 = at_least(flipped, 0x90);
    fault = _mm_or_si128(fault, _mm_andnot_si128(from_a0, is(one_back, 0xE0)));
    fault = _mm_or_si128(fault, _mm_and_si128(from_a0, is(one_back, 0xED)));
    fault = _mm_or_si128(fault, _mm_andnot_si128(from_90, is(one_back, 0xF0)));
    fault = _mm_or_si128(fault, _mm_and_si128(from_90, is(one_back, 0xF4)));
    faults_ = _mm_or_si128(faults_, fault);
    continuations_ = _mm_sub_epi8(continuations_, continuation);
    four_byte_leads_ = _mm_sub_epi8(four_byte_leads_, four_byte_lead);
    previous_ = flipped;
    if (++blocks_ == 255) {
      flush();  // before a byte-wide counter can wrap
    }
    return ~static_cast<unsigned>(_mm_movemask_epi8(continuation)) & 0xFFFF;
  }

  bool well_formed() const {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(faults_, _mm_setzero_si128())) == 0xFFFF;
  }

  // The UTF-16 length of the `bytes` scanned, when they are well formed.
  size_t units(size_t bytes) {
    flush();
    return bytes - continuation_total_ + four_byte_total_;
  }

 private:
  static __m128i bytes_of(int byte) { return _mm_set1_epi8(static_cast<char>(byte)); }

  // The bytes are kept with their top bit flipped, so that signed
  // comparison orders them as unsigned bytes.
  static __m128i at_least(__m128i flipped, int floor) {
    return _mm_cmpgt_epi8(flipped, bytes_of((floor ^ 0x80) - 1));
  }
  static __m128i is(__m128i flipped, int byte) {
    return _mm_cmpeq_epi8(flipped, bytes_of(byte ^ 0x80));
  }

  // Byte i of the result is byte i - `k` of the stream.
  template <int k>
  __m128i earlier(__m128i current) const {
    return _mm_or_si128(_mm_slli_si128(current, k), _mm_srli_si128(previous_, 16 - k));
  }

  static size_t sum(__m128i counts) {
    const __m128i halves = _mm_sad_epu8(counts, _mm_setzero_si128());
    return static_cast<size_t>(_mm_cvtsi128_si32(halves)) +
           static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
  }

  void flush() {
    continuation_total_ += sum(continuations_);
    four_byte_total_ += sum(four_byte_leads_);
    continuations_ = _mm_setzero_si128();
    four_byte_leads_ = _mm_setzero_si128();
    blocks_ = 0;
  }

  // The block before the first is all zero bytes, flipped.
  __m128i previous_ = _mm_set1_epi8(static_cast<char>(0x80));
  __m128i faults_ = _mm_setzero_si128();
  __m128i continuations_ = _mm_setzero_si128();
  __m128i four_byte_leads_ = _mm_setzero_si128();
  int blocks_ = 0;
  size_t continuation_total_ = 0;
  size_t four_byte_total_ = 0;
};

}  // namespace winapi::codepage

#endif
