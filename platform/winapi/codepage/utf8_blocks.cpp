#include "platform/winapi/codepage/utf8_blocks.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <tmmintrin.h>

#include "platform/winapi/codepage/utf8_block_scanner.h"
#endif

namespace winapi::codepage {

#if defined(__SSE2__)
namespace {

__m128i block_at(const unsigned char* bytes) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}

// Scans from `from` to the end, the last block padded with zero bytes,
// which also end any sequence the text leaves open, so one cut short is a
// fault. Gives the bytes scanned, padding included.
[[gnu::always_inline]] inline size_t scan_rest(Utf8BlockScanner& scanner,
                                               const unsigned char* bytes, size_t from,
                                               size_t length) {
  for (; from + 16 <= length; from += 16) {
    scanner.scan(block_at(bytes + from));
  }
  unsigned char last[16] = {};
  std::memcpy(last, bytes + from, length - from);
  scanner.scan(block_at(last));
  return from + 16;
}

// One step of the block decoder takes up to four characters of one to
// three bytes from the first twelve bytes of a block. Which bytes end a
// character (bit i: byte i + 1 begins one) picks the step: how many
// characters, how many bytes, and the shuffle that puts each character's
// bytes, last first, into a 32-bit lane of its own.
struct Steps {
  std::array<std::array<uint8_t, 16>, 4096> shuffles{};
  std::array<uint8_t, 4096> sizes{};  // characters | bytes << 3
};

constexpr Steps make_steps() {
  Steps steps;
  for (unsigned ends = 0; ends < 4096; ++ends) {
    auto& shuffle = steps.shuffles[ends];
    shuffle.fill(0x80);  // a zero byte
    unsigned start = 0;
    unsigned count = 0;
    for (unsigned end = 0; end < 12 && count < 4; ++end) {
      const unsigned length = end - start + 1;
      if ((ends >> end & 1) == 0) {
        if (length == 3) {
          break;  // a longer character: a four-byte one, or none
        }
        continue;
      }
      for (unsigned k = 0; k < length; ++k) {
        shuffle[count * 4 + k] = static_cast<uint8_t>(end - k);
      }
      ++count;
      start = end + 1;
    }
    steps.sizes[ends] = static_cast<uint8_t>(count | start << 3);
  }
  return steps;
}

constexpr Steps kSteps = make_steps();

// A lane holds a character's bytes as last | middle << 8 | first << 16;
// continuation bits and lead bits fall away under the masks.
[[gnu::target("avx2")]] __m128i lanes_to_units(__m128i lanes) {
  const __m128i last = _mm_and_si128(lanes, _mm_set1_epi32(0x7F));
  const __m128i middle = _mm_srli_epi32(_mm_and_si128(lanes, _mm_set1_epi32(0x3F00)), 2);
  const __m128i first = _mm_srli_epi32(_mm_and_si128(lanes, _mm_set1_epi32(0x0F0000)), 4);
  const __m128i units = _mm_or_si128(_mm_or_si128(last, middle), first);
  const __m128i low_halves =
      _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1);
  return _mm_shuffle_epi8(units, low_halves);
}

// Decodes the four-byte character at `bytes` into a surrogate pair at
// `out`; gives the bytes taken, 1 for a byte that begins no such character
// (the scan then finds the text not well formed).
size_t decode_four_bytes(const unsigned char* bytes, size_t left, char16_t* out, size_t& size) {
  if (bytes[0] < 0xF0 || left < 4) {
    return 1;
  }
  uint32_t word;
  std::memcpy(&word, bytes, 4);
  const uint32_t c =
      (word & 0x07) << 18 | (word & 0x3F00) << 4 | (word >> 10 & 0xFC0) | (word >> 24 & 0x3F);
  out[size] = static_cast<char16_t>(0xD7C0 + (c >> 10));
  out[size + 1] = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  size += 2;
  return 4;
}

// The scan runs ahead of the decoder and leaves a window of which bytes
// begin a character, so a step finds its characters without waiting for
// the bytes the step before it took.
[[gnu::target("avx2")]] std::optional<DecodedPrefix> decode_by_blocks(std::string_view text,
                                                                      std::span<char16_t> target) {
  Utf8BlockScanner scanner;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t length = text.size();
  char16_t* const out = target.data();
  size_t window_start = 0;
  uint64_t starts = 0;  // bit i: byte window_start + i begins a character
  size_t scanned = 0;
  size_t at = 0;
  size_t size = 0;
  for (;;) {
    while (at - window_start >= 32) {
      window_start += 16;
      starts >>= 16;
    }
    for (; scanned < window_start + 64 && scanned + 16 <= length; scanned += 16) {
      starts |= uint64_t{scanner.scan(block_at(bytes + scanned))} << (scanned - window_start);
    }
    if (at + 16 > length || at + 13 > scanned || size + 16 > target.size()) {
      break;
    }
    const __m128i block = block_at(bytes + at);
    if (_mm_movemask_epi8(block) == 0) {  // sixteen ASCII bytes
      const __m128i zero = _mm_setzero_si128();
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + size), _mm_unpacklo_epi8(block, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + size + 8), _mm_unpackhi_epi8(block, zero));
      at += 16;
      size += 16;
      continue;
    }
    const auto ends = static_cast<unsigned>(starts >> (at - window_start + 1)) & 0xFFF;
    const unsigned step = kSteps.sizes[ends];
    if (step == 0) {
      at += decode_four_bytes(bytes + at, length - at, out, size);
      continue;
    }
    const __m128i shuffle =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSteps.shuffles[ends].data()));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + size),
                     lanes_to_units(_mm_shuffle_epi8(block, shuffle)));
    size += step & 7;
    at += step >> 3;
  }
  scan_rest(scanner, bytes, scanned, length);
  if (!scanner.well_formed()) {
    return std::nullopt;
  }
  return DecodedPrefix{at, size};
}

}  // namespace

// Cloned for processors with the three-operand instruction forms, which
// spare the scan most of its register copies.
[[gnu::target_clones("avx2", "default")]] std::optional<size_t> utf16_length_if_well_formed(
    std::string_view text) {
  Utf8BlockScanner scanner;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t scanned = scan_rest(scanner, bytes, 0, text.size());
  if (!scanner.well_formed()) {
    return std::nullopt;
  }
  return scanner.units(scanned) - (scanned - text.size());
}

std::optional<DecodedPrefix> decode_well_formed_prefix(std::string_view text,
                                                       std::span<char16_t> target) {
  static const bool has_avx2 = __builtin_cpu_supports("avx2");
  if (has_avx2) {
    return decode_by_blocks(text, target);
  }
  if (!utf16_length_if_well_formed(text)) {
    return std::nullopt;
  }
  return DecodedPrefix{};
}

#else

std::optional<size_t> utf16_length_if_well_formed(std::string_view) {
  return std::nullopt;
}

std::optional<DecodedPrefix> decode_well_formed_prefix(std::string_view, std::span<char16_t>) {
  return std::nullopt;
}

#endif

}  // namespace winapi::codepage
