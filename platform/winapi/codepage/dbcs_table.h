// The two double-byte code pages as lookup tables, built once from ICU's
// Windows converters: a byte or a (lead, trail) pair gives its UTF-16 unit,
// a UTF-16 unit gives its bytes. Both code pages map every character to one
// BMP unit and back, so one entry per code answers every valid input; what
// the tables cannot decide is marked and left to the caller.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/winapi/codepage/unit_ranges.h"

namespace winapi::codepage {

class DbcsTable {
 public:
  // Marks a byte that is no character on its own, a pair that is no
  // character, or a unit the code page cannot hold. U+FFFF is a
  // noncharacter and 0xFFFF no double-byte code, so no entry means it.
  static constexpr uint16_t kNone = 0xFFFF;
  // Marks a unit the code page cannot hold that the converter drops
  // instead of replacing (a default-ignorable code point). 0xFFFE is no
  // double-byte code either.
  static constexpr uint16_t kDropped = 0xFFFE;

  // The table of a double-byte converter, built on first use; nullptr for
  // converters that have none (UTF-8) or when ICU cannot open the converter.
  static const DbcsTable* of(const char* converter);

  char16_t single(uint8_t byte) const { return single_[byte]; }
  char16_t pair(uint8_t lead, uint8_t trail) const { return pairs_[lead << 8 | trail]; }
  // The bytes of a unit as they lie in memory: the first in the low half,
  // the second, if any, in the high half (a trail byte is never zero), so
  // a value above 0xFF is two bytes. No trail byte is 0xFF, so the two
  // marks never stand for bytes.
  uint16_t encoded(char16_t unit) const { return encoded_[unit]; }
  // The longest run of units that all take two bytes.
  UnitRange two_byte_run() const { return two_byte_run_; }
  // What the converter writes for a character it cannot hold.
  const std::string& substitute() const { return substitute_; }
  // Whether the converter drops a character beyond the BMP (which it
  // cannot hold) instead of replacing it; asks the converter, as such
  // characters are rare in text for these code pages.
  bool drops(char32_t beyond_bmp) const;

 private:
  DbcsTable();
  static std::unique_ptr<DbcsTable> build(const char* converter);

  std::array<char16_t, 256> single_{};
  std::vector<char16_t> pairs_;    // indexed by lead byte * 256 + trail byte
  std::vector<uint16_t> encoded_;  // indexed by UTF-16 unit
  UnitRange two_byte_run_;
  std::string substitute_;
  const char* converter_ = nullptr;
};

}  // namespace winapi::codepage
