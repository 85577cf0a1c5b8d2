#include "platform/winapi/codepage/dbcs_convert.h"

#include "platform/winapi/codepage/unit_sink.h"

namespace winapi::codepage {
namespace {

constexpr char16_t kNone = DbcsTable::kNone;

bool is_lead_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_trail_surrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

template <typename Sink>
std::optional<size_t> decode(const DbcsTable& table, std::string_view text, Sink& sink) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t length = text.size();
  size_t i = 0;
  while (i < length) {
    char16_t unit = table.single(bytes[i]);
    if (unit != kNone) {
      sink.put(unit);
      ++i;
      continue;
    }
    if (i + 1 == length) {
      return std::nullopt;
    }
    unit = table.pair(bytes[i], bytes[i + 1]);
    if (unit == kNone) {
      return std::nullopt;
    }
    sink.put(unit);
    i += 2;
  }
  return sink.size();
}

template <typename Sink>
Outcome encode(const DbcsTable& table, std::u16string_view units, std::string_view replacement,
               Sink& sink) {
  Outcome outcome;
  const size_t length = units.size();
  for (size_t i = 0; i < length; ++i) {
    const uint16_t code = table.code(units[i]);
    if (code < DbcsTable::kDropped) {
      // No branch between one byte and two: text mixes them at random.
      const bool two = code > 0xFF;
      const auto first = static_cast<char>(two ? code >> 8 : code);
      sink.put_up_to_two(first, static_cast<char>(code & 0xFF), two ? 2 : 1);
      continue;
    }
    if (code == DbcsTable::kDropped) {
      continue;
    }
    // No character of the code page lies beyond the BMP, so a surrogate
    // pair is one character it cannot hold, and a lone surrogate is none.
    const char16_t unit = units[i];
    if (is_lead_surrogate(unit) && i + 1 < length && is_trail_surrogate(units[i + 1])) {
      ++i;
      if (table.drops(0x10000 + ((unit - 0xD800) << 10) + (units[i] - 0xDC00))) {
        continue;
      }
    } else if (is_lead_surrogate(unit) || is_trail_surrogate(unit)) {
      outcome.invalid_input = true;
    }
    outcome.used_default = true;
    for (char byte : replacement) {
      sink.put(byte);
    }
  }
  outcome.size = sink.size();
  return outcome;
}

}  // namespace

std::optional<Outcome> decode_dbcs(const DbcsTable& table, std::string_view bytes,
                                   std::span<char16_t> target) {
  // A byte never decodes to more than one unit.
  const auto size =
      with_sink(target, bytes.size(), [&](auto& sink) { return decode(table, bytes, sink); });
  if (!size) {
    return std::nullopt;
  }
  return Outcome{.size = *size};
}

Outcome encode_dbcs(const DbcsTable& table, std::u16string_view units, std::span<char> target,
                    std::optional<std::string_view> default_bytes) {
  const std::string_view replacement = default_bytes.value_or(table.substitute());
  // A unit takes at most two bytes, and so does a replacement of one unit or two.
  const size_t per_unit = replacement.size() <= 2 ? 2 : replacement.size();
  return with_sink(target, units.size() * per_unit,
                   [&](auto& sink) { return encode(table, units, replacement, sink); });
}

}  // namespace winapi::codepage
