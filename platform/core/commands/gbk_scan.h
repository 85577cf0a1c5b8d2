// Searching and case changes over GBK texts go by characters, not bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gbk/gbk_chars.h"

namespace core::gbk_scan {

using gbk::char_length;
using gbk::is_lead_byte;
using gbk::is_trail_byte;

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
