// Decodes well-formed UTF-8, sixteen bytes a step with SSE4.1, after the
// check of utf8_validation_kernel.h. A step writes the units of the characters whose last byte lies
// in its sixteen bytes, so the steps are independent of each other: each
// byte's unit is computed as if it ended a character (from it and the two
// bytes before it), and the units of the bytes that do end one are packed
// together. Sixteen bytes that hold part of a four-byte character (a
// surrogate pair, rare in the text these code pages carry) go byte by byte.
// Included only by the files compiled for one instruction set (see
// simd_bytes.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/winapi/codepage/simd_bytes.h"
#include "platform/winapi/codepage/utf8_validation_kernel.h"

namespace {

// For each set of eight 16-bit lanes to keep: the shuffle that moves them,
// in order, to the front, and how many they are.
// Plain arrays: an inline function of the standard library used here would
// be built for this file's instruction set and might be linked in for others.
struct LanePacking {
  uint8_t shuffles[256][16]{};
  uint8_t counts[256]{};
};

constexpr LanePacking make_lane_packing() {
  LanePacking packing;
  for (unsigned keep = 0; keep < 256; ++keep) {
    uint8_t* shuffle = packing.shuffles[keep];
    for (unsigned k = 0; k < 16; ++k) {
      shuffle[k] = 0x80;
    }
    unsigned count = 0;
    for (unsigned lane = 0; lane < 8; ++lane) {
      if ((keep >> lane & 1) != 0) {
        shuffle[2 * count] = static_cast<uint8_t>(2 * lane);
        shuffle[2 * count + 1] = static_cast<uint8_t>(2 * lane + 1);
        ++count;
      }
    }
    packing.counts[keep] = static_cast<uint8_t>(count);
  }
  return packing;
}

constexpr LanePacking kLanePacking = make_lane_packing();

size_t sequence_length(unsigned char lead) {
  return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// Writes the characters of well-formed `text` whose last byte lies in
// [from, to); gives the end of what it wrote.
char16_t* decode_ending_in(const unsigned char* text, size_t from, size_t to, char16_t* out) {
  size_t at = from;
  while (at > 0 && (text[at] & 0xC0) == 0x80) {
    --at;
  }
  while (at < to) {
    const size_t length = sequence_length(text[at]);
    if (at + length > to) {
      break;
    }
    const unsigned char* b = text + at;
    switch (length) {
      case 1:
        *out++ = b[0];
        break;
      case 2:
        *out++ = static_cast<char16_t>((b[0] & 0x1F) << 6 | (b[1] & 0x3F));
        break;
      case 3:
        *out++ = static_cast<char16_t>((b[0] & 0x0F) << 12 | (b[1] & 0x3F) << 6 | (b[2] & 0x3F));
        break;
      default: {
        const char32_t c =
            (b[0] & 0x07) << 18 | (b[1] & 0x3F) << 12 | (b[2] & 0x3F) << 6 | (b[3] & 0x3F);
        *out++ = static_cast<char16_t>(0xD7C0 + (c >> 10));
        *out++ = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
      }
    }
    at += length;
  }
  return out;
}

__m128i bytes_at(const unsigned char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__m128i all(uint8_t byte) {
  return _mm_set1_epi8(static_cast<char>(byte));
}

// Stores the kept lanes of `lanes` at `out`; gives the end of what it kept.
char16_t* store_kept(__m128i lanes, unsigned keep, char16_t* out) {
  const __m128i shuffle =
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(kLanePacking.shuffles[keep]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(lanes, shuffle));
  return out + kLanePacking.counts[keep];
}

// The step at `p`, which has three bytes before it and seventeen after it
// in the text. Each lane's unit is built in two byte halves: for an ASCII
// byte the byte itself; after a two-byte lead 110aaabb 10cccccc gives
// 00000aaa bbcccccc; after 1110aaaa 10bbbbcc 10dddddd, aaaabbbb ccdddddd.
char16_t* decode_step(const unsigned char* p, char16_t* out) {
  const __m128i current = bytes_at(p);
  const __m128i one_back = bytes_at(p - 1);
  const __m128i two_back = bytes_at(p - 2);
  // Signed, continuation bytes are the ones below -64.
  const __m128i next_continues = _mm_cmplt_epi8(bytes_at(p + 1), all(0xC0));
  const unsigned ends = ~static_cast<unsigned>(_mm_movemask_epi8(next_continues)) & 0xFFFF;
  const __m128i ascii = _mm_cmpgt_epi8(current, all(0xFF));
  // Where the byte ends a character and is no ASCII byte, the one before
  // it is a lead (C2..DF, a two-byte character) or a continuation.
  const __m128i after_lead = _mm_cmpgt_epi8(one_back, all(0xBF));
  const __m128i low_bits = _mm_or_si128(_mm_and_si128(current, all(0x3F)),
                                        _mm_and_si128(_mm_slli_epi16(one_back, 6), all(0xC0)));
  const __m128i low = _mm_blendv_epi8(low_bits, current, ascii);
  const __m128i middle_mask = _mm_xor_si128(all(0x0F), _mm_and_si128(after_lead, all(0x08)));
  const __m128i middle = _mm_and_si128(_mm_srli_epi16(one_back, 2), middle_mask);
  const __m128i top = _mm_andnot_si128(after_lead, _mm_slli_epi16(two_back, 4));
  const __m128i high = _mm_andnot_si128(ascii, _mm_or_si128(middle, _mm_and_si128(top, all(0xF0))));
  out = store_kept(_mm_unpacklo_epi8(low, high), ends & 0xFF, out);
  return store_kept(_mm_unpackhi_epi8(low, high), ends >> 8, out);
}

// Whether a four-byte lead lies in the sixteen bytes at `p`.
bool has_four_byte_lead(const unsigned char* p) {
  const __m128i from_f0 = _mm_subs_epu8(bytes_at(p), all(0xEF));
  return _mm_testz_si128(from_f0, from_f0) == 0;
}

// Writes the characters of well-formed `text` whose last byte lies in
// [from, to); gives the end of what it wrote. A step's stores reach sixteen
// units past where it starts writing, so it runs only where `room` allows
// and sixty-four more bytes of text follow: they hold sixteen characters
// or more, whose units, written later, cover what the step left past its own.
char16_t* decode_range(const unsigned char* text, size_t length, size_t from, size_t to,
                       char16_t* out, const char16_t* room) {
  constexpr size_t kStep = 16;
  size_t at = from;
  if (at < 3) {
    at = to < kStep ? to : kStep;
    out = decode_ending_in(text, from, at, out);
  }
  for (; at + kStep <= to && at + 64 <= length && room - out >= static_cast<ptrdiff_t>(kStep);
       at += kStep) {
    // A character ending here began at most three bytes earlier.
    if (has_four_byte_lead(text + at - 3)) {
      out = decode_ending_in(text, at, at + kStep, out);
    } else {
      out = decode_step(text + at, out);
    }
  }
  return at < to ? decode_ending_in(text, at, to, out) : out;
}

// Checks and decodes `text` into `out`, which holds `capacity` units, by
// pieces small enough to stay in the cache between the check and the
// decoding. Gives the units written, or kernels::kNotWellFormed when the
// text is not well formed or the result does not fit; what it wrote then
// lies within the result the byte-by-byte decoder gives and writes over.
template <typename S>
size_t decode_if_well_formed(const unsigned char* text, size_t length, char16_t* out,
                             size_t capacity) {
  constexpr size_t kPiece = 16 * 1024;
  Utf8Validator<S> validator;
  char16_t* written = out;
  for (size_t from = 0; from < length; from += kPiece) {
    const size_t to = length - from > kPiece ? from + kPiece : length;
    scan_bytes(validator, text, from, to, length);
    // Every character ending before `to` began before it, and is counted.
    if (!validator.well_formed() || validator.units() > capacity) {
      return winapi::codepage::kernels::kNotWellFormed;
    }
    written = decode_range(text, length, from, to, written, out + capacity);
  }
  return static_cast<size_t>(written - out);
}

}  // namespace
