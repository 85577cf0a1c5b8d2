#include "platform/winapi/codepage/script_table.h"

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
  for (unsigned lead = kFirstLead; lead <= kLastByte; ++lead) {
    if (single_[lead].size != 0) {
      continue;  // a character of its own never leads a pair
    }
    for (unsigned trail = kFirstTrail; trail <= kLastByte; ++trail) {
      const char code[] = {static_cast<char>(lead), static_cast<char>(trail)};
      pairs_[lead * 256 + trail] = entry_for(converter, to, {code, 2});
    }
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

std::optional<size_t> ScriptTable::map(std::string_view text, std::span<char> target) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t length = text.size();
  size_t size = 0;
  for (size_t i = 0; i < length;) {
    const Entry* entry = &single_[bytes[i]];
    size_t taken = 1;
    if (entry->size == 0) {
      if (i + 1 == length) {
        return std::nullopt;
      }
      entry = &pairs_[bytes[i] * 256u + bytes[i + 1]];
      taken = 2;
      if (entry->size == 0) {
        return std::nullopt;
      }
    }
    if (size + entry->size <= target.size()) {
      for (uint8_t k = 0; k < entry->size; ++k) {
        target[size + k] = entry->bytes[k];
      }
    }
    size += entry->size;
    i += taken;
  }
  return size;
}

}  // namespace winapi::codepage
