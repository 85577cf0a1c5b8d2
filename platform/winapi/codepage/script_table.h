// Traditional/simplified mapping of a double-byte code page's text by table:
// each character of the code page, mapped once on its own, gives the bytes
// it becomes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/winapi/codepage/chinese_script.h"

namespace winapi::codepage {

class ScriptTable {
 public:
  // The table of a code page's converter and a direction, built on first use;
  // nullptr when ICU lacks the transform.
  static const ScriptTable* of(const char* converter, ChineseScript to);

  // Maps `text` into `target` as far as it holds and gives the size of the
  // whole result; nullopt when the text holds a sequence that is no character
  // of the code page, which the caller maps the long way.
  std::optional<size_t> map(std::string_view text, std::span<char> target) const;

 private:
  struct Entry {
    uint8_t size = 0;  // 0: no character of the code page
    std::array<char, 3> bytes{};
  };

  ScriptTable(const char* converter, ChineseScript to);
  static Entry entry_for(const char* converter, ChineseScript to, std::string_view code);
  void add_pair(unsigned lead, unsigned trail, const Entry& entry);
  size_t map_one(const unsigned char* bytes, size_t left, Entry& entry) const;

  std::array<Entry, 256> single_;
  bool ascii_unchanged_ = false;
  // The bytes, in memory order, of each pair (lead byte * 256 + trail byte)
  // that maps to two bytes, which is nearly every one; 0 for the others.
  std::vector<uint16_t> pairs_;
  // The pairs that map to some other size, by lead byte * 256 + trail byte.
  std::vector<std::pair<uint16_t, Entry>> other_pairs_;
};

}  // namespace winapi::codepage
