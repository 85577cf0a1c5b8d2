#include "platform/winapi/codepage/dbcs_table.h"

#include <unicode/ucnv.h>

#include <cstring>
#include <memory>

#include "platform/winapi/codepage/code_pages.h"

namespace winapi::codepage {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// A converter that stops at the first byte or unit it cannot convert, so
// an entry is only ever a clean conversion.
Converter strict_converter(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(name, &status));
  if (U_FAILURE(status) || !c) {
    return nullptr;
  }
  ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return U_SUCCESS(status) ? std::move(c) : nullptr;
}

// The unit `bytes` decode to when they are exactly one character.
char16_t decoded_unit(UConverter* c, const char* bytes, int32_t length) {
  UChar units[4];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(c, units, 4, bytes, length, &status);
  return U_SUCCESS(status) && n == 1 && units[0] != DbcsTable::kNone ? units[0] : DbcsTable::kNone;
}

Converter lenient_converter(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(name, &status));
  return U_SUCCESS(status) ? std::move(c) : nullptr;
}

// The bytes the converter writes for `units` with its own replacement rules.
std::string replaced(UConverter* c, std::u16string_view units) {
  char bytes[8];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_fromUChars(c, bytes, sizeof bytes, reinterpret_cast<const UChar*>(units.data()),
                      static_cast<int32_t>(units.size()), &status);
  return U_SUCCESS(status) ? std::string(bytes, static_cast<size_t>(n)) : std::string("?");
}

// A unit's bytes as DbcsTable::encoded() gives them.
uint16_t encoded_bytes(UConverter* c, char16_t unit) {
  const UChar source[] = {unit};
  unsigned char bytes[8];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_fromUChars(c, reinterpret_cast<char*>(bytes), sizeof bytes, source, 1, &status);
  if (U_FAILURE(status)) {
    return DbcsTable::kNone;
  }
  if (n == 1) {
    return bytes[0];
  }
  if (n == 2 && bytes[0] >= 0x80 && bytes[1] != 0 && bytes[1] != 0xFF) {
    return static_cast<uint16_t>(bytes[1] << 8 | bytes[0]);
  }
  return DbcsTable::kNone;
}

UnitRange longest_two_byte_run(const std::vector<uint16_t>& encoded) {
  UnitRange longest;
  size_t start = 0;
  for (size_t unit = 0; unit <= encoded.size(); ++unit) {
    if (unit < encoded.size() && encoded[unit] > 0xFF && encoded[unit] < DbcsTable::kDropped) {
      continue;
    }
    const bool none_yet = longest.first > longest.last;
    if (unit > start && (none_yet || unit - 1 - start > size_t{longest.last} - longest.first)) {
      longest = {static_cast<char16_t>(start), static_cast<char16_t>(unit - 1)};
    }
    start = unit + 1;
  }
  return longest;
}

}  // namespace

const DbcsTable* DbcsTable::of(const char* converter) {
  if (std::strcmp(converter, *converter_name(936)) == 0) {
    static const std::unique_ptr<DbcsTable> gbk = build(converter);
    return gbk.get();
  }
  if (std::strcmp(converter, *converter_name(950)) == 0) {
    static const std::unique_ptr<DbcsTable> big5 = build(converter);
    return big5.get();
  }
  return nullptr;
}

DbcsTable::DbcsTable() : pairs_(1 << 16, kNone), encoded_(1 << 16, kNone) {
  single_.fill(kNone);
}

std::unique_ptr<DbcsTable> DbcsTable::build(const char* converter) {
  const Converter c = strict_converter(converter);
  const Converter lenient = lenient_converter(converter);
  if (!c || !lenient) {
    return nullptr;
  }
  std::unique_ptr<DbcsTable> table(new DbcsTable);
  table->converter_ = converter;
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char code[] = {static_cast<char>(byte)};
    table->single_[byte] = decoded_unit(c.get(), code, 1);
  }
  for (unsigned lead = 0x80; lead < 256; ++lead) {
    if (table->single_[lead] != kNone) {
      continue;  // a character of its own never leads a pair
    }
    for (unsigned trail = 0; trail < 256; ++trail) {
      const char code[] = {static_cast<char>(lead), static_cast<char>(trail)};
      table->pairs_[lead << 8 | trail] = decoded_unit(c.get(), code, 2);
    }
  }
  for (unsigned unit = 0; unit < 0x10000; ++unit) {
    if (unit < 0xD800 || unit > 0xDFFF) {
      const auto u = static_cast<char16_t>(unit);
      table->encoded_[unit] = encoded_bytes(c.get(), u);
      if (table->encoded_[unit] == kNone && replaced(lenient.get(), {&u, 1}).empty()) {
        table->encoded_[unit] = kDropped;
      }
    }
  }
  table->two_byte_run_ = longest_two_byte_run(table->encoded_);
  char sub[4];
  int8_t sub_length = sizeof sub;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_getSubstChars(c.get(), sub, &sub_length, &status);
  table->substitute_.assign(sub, U_SUCCESS(status) ? static_cast<size_t>(sub_length) : 0);
  return table;
}

bool DbcsTable::drops(char32_t beyond_bmp) const {
  const Converter lenient = lenient_converter(converter_);
  const char16_t pair[] = {static_cast<char16_t>(0xD7C0 + (beyond_bmp >> 10)),
                           static_cast<char16_t>(0xDC00 | (beyond_bmp & 0x3FF))};
  return lenient && replaced(lenient.get(), {pair, 2}).empty();
}

}  // namespace winapi::codepage
