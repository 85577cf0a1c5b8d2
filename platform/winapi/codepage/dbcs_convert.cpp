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

// Runs of units the table answers alone, the bulk of any text, four at a
// time without a branch between one byte and two (text mixes them at
// random). Each gives the index of the first unit it did not take.
bool any_marked(uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
  return (a >= DbcsTable::kDropped) | (b >= DbcsTable::kDropped) | (c >= DbcsTable::kDropped) |
         (d >= DbcsTable::kDropped);
}

size_t encode_run(const DbcsTable& table, std::u16string_view units, size_t i,
                  CountingSink<char>& sink) {
  // Most of the text lies in the range of two-byte units or in ASCII.
  for (; i + 8 <= units.size(); i += 4) {
    if (const auto two_bytes = count_in_range_or_ascii(units.data() + i, table.two_byte_run())) {
      sink.add(8 + *two_bytes);
      i += 4;
      continue;
    }
    const uint16_t a = table.encoded(units[i]);
    const uint16_t b = table.encoded(units[i + 1]);
    const uint16_t c = table.encoded(units[i + 2]);
    const uint16_t d = table.encoded(units[i + 3]);
    if (any_marked(a, b, c, d)) {
      return i;
    }
    sink.add(4 + (a > 0xFF) + (b > 0xFF) + (c > 0xFF) + (d > 0xFF));
  }
  for (; i + 4 <= units.size(); i += 4) {
    const uint16_t a = table.encoded(units[i]);
    const uint16_t b = table.encoded(units[i + 1]);
    const uint16_t c = table.encoded(units[i + 2]);
    const uint16_t d = table.encoded(units[i + 3]);
    if (any_marked(a, b, c, d)) {
      break;
    }
    sink.add(4 + (a > 0xFF) + (b > 0xFF) + (c > 0xFF) + (d > 0xFF));
  }
  return i;
}

// Writes both bytes of `encoded`; gives how many of them belong to it.
size_t put_both(char* out, uint16_t encoded) {
  out[0] = static_cast<char>(encoded & 0xFF);
  out[1] = static_cast<char>(encoded >> 8);
  return encoded > 0xFF ? 2 : 1;
}

// The target has room for two bytes a unit. The second byte of a one-byte
// unit is written over by the unit after it: a run goes on only while the
// unit after its four is one the table answers (not one dropped), so
// nothing is written past the result.
size_t encode_run(const DbcsTable& table, std::u16string_view units, size_t i,
                  WritingSink<char, false>& sink) {
  for (; i + 4 < units.size(); i += 4) {
    const uint16_t a = table.encoded(units[i]);
    const uint16_t b = table.encoded(units[i + 1]);
    const uint16_t c = table.encoded(units[i + 2]);
    const uint16_t d = table.encoded(units[i + 3]);
    if (any_marked(a, b, c, d) || table.encoded(units[i + 4]) >= DbcsTable::kDropped) {
      break;
    }
    char* out = sink.next();
    out += put_both(out, a);
    out += put_both(out, b);
    out += put_both(out, c);
    out += put_both(out, d);
    sink.add(static_cast<size_t>(out - sink.next()));
  }
  return i;
}

// A target that may be too small takes every unit on its own.
size_t encode_run(const DbcsTable&, std::u16string_view, size_t i, WritingSink<char, true>&) {
  return i;
}

template <typename Sink>
Outcome encode(const DbcsTable& table, std::u16string_view units, std::string_view replacement,
               Sink& sink) {
  Outcome outcome;
  const size_t length = units.size();
  for (size_t i = encode_run(table, units, 0, sink); i < length;
       i = encode_run(table, units, i + 1, sink)) {
    const uint16_t encoded = table.encoded(units[i]);
    if (encoded < DbcsTable::kDropped) {
      sink.put(static_cast<char>(encoded & 0xFF));
      if (encoded > 0xFF) {
        sink.put(static_cast<char>(encoded >> 8));
      }
      continue;
    }
    if (encoded == DbcsTable::kDropped) {
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
