// Walking GBK texts by character. A byte 0x81-0xFE followed by one of
// 0x40-0xFE (not 0x7F) is a two-byte character whose second byte may look like an ASCII letter
// or sign, so searching and case changes go by characters, not bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core::gbk_scan {

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

// Copies with the single-byte letters changed; two-byte characters are kept whole.
std::string to_upper(std::string_view text);
std::string to_lower(std::string_view text);

// Finds a text at character starts only, in linear time: one pass with a
// prefix table, so several MiB of input cost no re-scans.
class Finder {
 public:
  Finder(std::string_view sought, bool ignore_case);

  // The first match at or after `from`, which is taken as a character start;
  // npos when there is none. The empty text is never found.
  size_t find(std::string_view text, size_t from = 0) const;
  // The last match, npos when there is none.
  size_t find_last(std::string_view text) const;
  size_t size() const { return sought_.size(); }

 private:
  // Calls on_match(start) for every match (overlapping ones too) until it returns true.
  template <typename OnMatch>
  void scan(std::string_view text, size_t from, OnMatch on_match) const;

  std::string sought_;
  std::vector<uint32_t> prefix_;  // prefix_[i]: longest proper border of sought_[0..i]
  bool ignore_case_;
};

}  // namespace core::gbk_scan
