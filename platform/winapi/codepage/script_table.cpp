#include "platform/winapi/codepage/script_table.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/winapi/codepage/code_pages.h"

namespace winapi::codepage {
namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastByte = 0xFE;

}  // namespace

const ScriptTable* ScriptTable::of(const char* converter, ChineseScript to) {
  // The converters of the two double-byte code pages, each in both directions.
  struct Slot {
    std::once_flag once;
    std::unique_ptr<ScriptTable> table;
  };
  static Slot slots[2][2];
  const bool big5 = std::strcmp(converter, *converter_name(950)) == 0;
  Slot& slot = slots[big5 ? 1 : 0][to == ChineseScript::kSimplified ? 0 : 1];
  std::call_once(slot.once, [&] {
    if (map_chinese_script(u"", to)) {
      slot.table.reset(new ScriptTable(converter, to));
    }
  });
  return slot.table.get();
}

ScriptTable::ScriptTable(const char* converter, ChineseScript to) : pairs_(256 * 256) {
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char code[] = {static_cast<char>(byte)};
    single_[byte] = entry_for(converter, to, {code, 1});
  }
  ascii_unchanged_ = true;
  for (unsigned byte = 0; byte < 0x80; ++byte) {
    ascii_unchanged_ &=
        single_[byte].size == 1 && single_[byte].bytes[0] == static_cast<char>(byte);
  }
  for (unsigned lead = kFirstLead; lead <= kLastByte; ++lead) {
    if (single_[lead].size != 0) {
      continue;  // a character of its own never leads a pair
    }
    for (unsigned trail = kFirstTrail; trail <= kLastByte; ++trail) {
      const char code[] = {static_cast<char>(lead), static_cast<char>(trail)};
      add_pair(lead, trail, entry_for(converter, to, {code, 2}));
    }
  }
}

void ScriptTable::add_pair(unsigned lead, unsigned trail, const Entry& entry) {
  const auto index = static_cast<uint16_t>(lead << 8 | trail);
  uint16_t bytes = 0;
  if (entry.size == 2) {
    std::memcpy(&bytes, entry.bytes.data(), 2);
  }
  if (bytes != 0) {
    pairs_[index] = bytes;
  } else if (entry.size != 0) {
    other_pairs_.emplace_back(index, entry);  // built in index order, so sorted
  }
}

// One character decoded, mapped on its own and encoded back, as a whole text
// of it would be; codes that are no single valid character stay out.
ScriptTable::Entry ScriptTable::entry_for(const char* converter, ChineseScript to,
                                          std::string_view code) {
  const Converted<char16_t> decoded = to_utf16(converter, code);
  if (decoded.outcome.invalid_input || decoded.outcome.size == 0) {
    return {};
  }
  const auto mapped = map_chinese_script(decoded.view(), to);
  const Converted<char> encoded = from_utf16(converter, *mapped, std::nullopt);
  Entry entry;
  if (encoded.outcome.size == 0 || encoded.outcome.size > entry.bytes.size()) {
    return {};
  }
  entry.size = static_cast<uint8_t>(encoded.outcome.size);
  std::memcpy(entry.bytes.data(), encoded.data.get(), entry.size);
  return entry;
}

// The entry of the character at `bytes`, `left` > 0 bytes before the end;
// gives the bytes it takes, 0 when they are no character.
size_t ScriptTable::map_one(const unsigned char* bytes, size_t left, Entry& entry) const {
  if (single_[bytes[0]].size != 0) {
    entry = single_[bytes[0]];
    return 1;
  }
  if (left < 2) {
    return 0;
  }
  const auto index = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
  if (pairs_[index] != 0) {
    entry.size = 2;
    std::memcpy(entry.bytes.data(), &pairs_[index], 2);
    return 2;
  }
  const auto other =
      std::lower_bound(other_pairs_.begin(), other_pairs_.end(), index,
                       [](const auto& row, uint16_t key) { return row.first < key; });
  if (other == other_pairs_.end() || other->first != index) {
    return 0;
  }
  entry = other->second;
  return 2;
}

std::optional<size_t> ScriptTable::map(std::string_view text, std::span<char> target) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t length = text.size();
  char* const out = target.data();
  // While every character keeps its size, the result keeps pace with the
  // text, and what fits is known without counting: a read and a copy per
  // character.
  const size_t in_step = ascii_unchanged_ ? std::min(length, target.size()) : 0;
  size_t i = 0;
  size_t size = 0;
  while (i < length) {
    while (i + 2 <= in_step) {
      const unsigned lead = bytes[i];
      if (lead < 0x80) {
        out[i] = static_cast<char>(lead);
        ++i;
        continue;
      }
      const uint16_t pair = pairs_[lead << 8 | bytes[i + 1]];
      if (pair == 0) {
        break;
      }
      std::memcpy(out + i, &pair, 2);
      i += 2;
    }
    size = i;
    // The rest one character at a time, counting what does not fit, and
    // back to the quick loop while the result still keeps pace.
    while (i < length) {
      Entry entry;
      const size_t taken = map_one(bytes + i, length - i, entry);
      if (taken == 0) {
        return std::nullopt;
      }
      if (size + entry.size <= target.size()) {
        std::memcpy(out + size, entry.bytes.data(), entry.size);
      }
      size += entry.size;
      i += taken;
      if (size == i && i + 2 <= in_step) {
        break;
      }
    }
  }
  return size;
}

}  // namespace winapi::codepage
