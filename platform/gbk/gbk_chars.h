// GBK by character. A byte 0x81-0xFE followed by one of 0x40-0xFE (not 0x7F)
// is a two-byte character whose second byte may look like an ASCII letter, a
// backslash or another sign, so scans go by characters, not bytes.
#pragma once

#include <cstddef>
#include <string_view>

namespace gbk {

inline bool is_lead_byte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}
inline bool is_trail_byte(unsigned char c) {
  return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// 2 for a lead byte with a trail byte behind it, otherwise 1: a lead byte
// without a proper partner stands alone, so a following space or newline is
// still seen as one.
inline size_t char_length(std::string_view text, size_t pos) {
  return pos + 1 < text.size() && is_lead_byte(static_cast<unsigned char>(text[pos])) &&
                 is_trail_byte(static_cast<unsigned char>(text[pos + 1]))
             ? 2
             : 1;
}

}  // namespace gbk
