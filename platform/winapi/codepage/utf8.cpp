#include "platform/winapi/codepage/utf8.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/winapi/codepage/unit_sink.h"
#include "platform/winapi/codepage/utf8_blocks.h"

namespace winapi::codepage {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// What a lead byte promises: the length of its sequence and the range its
// second byte must lie in, which rules out overlong forms, surrogates and
// code points past U+10FFFF. Length 0: the byte begins no sequence.
struct Lead {
  uint8_t length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
};

constexpr std::array<Lead, 256> make_leads() {
  std::array<Lead, 256> leads{};
  for (unsigned b = 0xC2; b <= 0xDF; ++b) {
    leads[b].length = 2;
  }
  for (unsigned b = 0xE0; b <= 0xEF; ++b) {
    leads[b].length = 3;
  }
  leads[0xE0].low = 0xA0;
  leads[0xED].high = 0x9F;
  for (unsigned b = 0xF0; b <= 0xF4; ++b) {
    leads[b].length = 4;
  }
  leads[0xF0].low = 0x90;
  leads[0xF4].high = 0x8F;
  return leads;
}

constexpr std::array<Lead, 256> kLeads = make_leads();

bool is_continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at `bytes[0]` of `length` > 0 bytes, which does not
// start with an ASCII byte, and gives the bytes it took.
template <typename Sink>
size_t decode_sequence(const unsigned char* bytes, size_t length, Sink& sink, bool& invalid) {
  const Lead lead = kLeads[bytes[0]];
  size_t taken = 1;
  if (lead.length != 0 && length > 1 && bytes[1] >= lead.low && bytes[1] <= lead.high) {
    taken = 2;
    while (taken < lead.length && taken < length && is_continuation(bytes[taken])) {
      ++taken;
    }
  }
  if (taken < lead.length || lead.length == 0) {
    invalid = true;
    sink.put(kReplacement);
    return taken;
  }
  char32_t c = bytes[0] & (0x7F >> lead.length);
  for (size_t k = 1; k < taken; ++k) {
    c = c << 6 | (bytes[k] & 0x3F);
  }
  if (c < 0x10000) {
    sink.put(static_cast<char16_t>(c));
  } else {
    sink.put(static_cast<char16_t>(0xD7C0 + (c >> 10)));
    sink.put(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
  }
  return taken;
}

template <typename Sink>
Outcome decode(std::string_view text, Sink& sink) {
  Outcome outcome;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t length = text.size();
  size_t i = 0;
  while (i < length) {
    const unsigned char b0 = bytes[i];
    if (b0 < 0x80) {
      // Eight ASCII bytes at a time while they last.
      uint64_t block;
      while (i + 8 <= length &&
             (std::memcpy(&block, bytes + i, 8), (block & 0x8080808080808080ull) == 0)) {
        for (size_t k = 0; k < 8; ++k) {
          sink.put(bytes[i + k]);
        }
        i += 8;
      }
      while (i < length && bytes[i] < 0x80) {
        sink.put(bytes[i]);
        ++i;
      }
      continue;
    }
    // Three-byte sequences carry most Chinese text.
    const Lead lead = kLeads[b0];
    if (lead.length == 3 && i + 2 < length) {
      const unsigned char b1 = bytes[i + 1];
      const unsigned char b2 = bytes[i + 2];
      if (b1 >= lead.low && b1 <= lead.high && is_continuation(b2)) {
        sink.put(static_cast<char16_t>((b0 & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F)));
        i += 3;
        continue;
      }
    }
    i += decode_sequence(bytes + i, length - i, sink, outcome.invalid_input);
  }
  outcome.size = sink.size();
  return outcome;
}

template <typename Sink>
Outcome encode(std::u16string_view units, Sink& sink) {
  Outcome outcome;
  const size_t length = units.size();
  for (size_t i = 0; i < length; ++i) {
    char32_t c = units[i];
    if (c < 0x80) {
      sink.put(static_cast<char>(c));
      continue;
    }
    if (c < 0x800) {
      sink.put(static_cast<char>(0xC0 | c >> 6));
      sink.put(static_cast<char>(0x80 | (c & 0x3F)));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      const bool paired =
          c <= 0xDBFF && i + 1 < length && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
      if (paired) {
        c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
        ++i;
        sink.put(static_cast<char>(0xF0 | c >> 18));
        sink.put(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        sink.put(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        sink.put(static_cast<char>(0x80 | (c & 0x3F)));
        continue;
      }
      outcome.invalid_input = true;
      c = kReplacement;
    }
    sink.put(static_cast<char>(0xE0 | c >> 12));
    sink.put(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    sink.put(static_cast<char>(0x80 | (c & 0x3F)));
  }
  outcome.size = sink.size();
  return outcome;
}

}  // namespace

Outcome decode_utf8(std::string_view bytes, std::span<char16_t> target) {
  // Well-formed text, the usual case, is checked, measured and decoded by
  // vectors; other text, and a target too small, byte by byte.
  if (target.empty()) {
    if (const auto size = utf16_length_if_well_formed(bytes)) {
      return Outcome{.size = *size};
    }
  } else if (const auto size = decode_if_well_formed(bytes, target)) {
    return Outcome{.size = *size};
  }
  // A byte never decodes to more than one unit.
  return with_sink(target, bytes.size(), [&](auto& sink) { return decode(bytes, sink); });
}

Outcome encode_utf8(std::u16string_view units, std::span<char> target) {
  // A unit takes at most three bytes, a surrogate pair four.
  return with_sink(target, units.size() * 3, [&](auto& sink) { return encode(units, sink); });
}

}  // namespace winapi::codepage
