#include "platform/gbk/gbk_codec.h"

#include <unicode/ustring.h>

#include "platform/gbk/gbk_icu.h"
#include "platform/gbk/gbk_table.h"

namespace gbk {
namespace {

bool converted(UErrorCode status) {
  return U_SUCCESS(status) || status == U_STRING_NOT_TERMINATED_WARNING;
}

// Decodes through the table into `out` (room for one unit a byte); false at
// the first byte the table does not decode cleanly.
bool decode_by_table(std::string_view bytes, std::u16string& out) {
  size_t n = 0;
  for (size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<uint8_t>(bytes[i]);
    if (byte < 0x80) {
      out[n++] = byte;
      ++i;
      continue;
    }
    if (const char16_t unit = table::kSingle[byte - 0x80]; unit != 0) {
      out[n++] = unit;
      ++i;
      continue;
    }
    const auto trail = i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[i + 1]) : 0;
    const char16_t unit = table::is_lead(byte) && table::is_trail(trail)
                              ? table::kPairs[table::pair_index(byte, trail)]
                              : char16_t{0};
    if (unit == 0) {
      return false;
    }
    out[n++] = unit;
    i += 2;
  }
  out.resize(n);
  return true;
}

// Encodes through the table; false at the first unit GBK cannot hold as is.
bool encode_by_table(std::u16string_view text, std::string& out) {
  size_t n = 0;
  for (const char16_t unit : text) {
    if (unit < 0x80) {
      out[n++] = static_cast<char>(unit);
      continue;
    }
    const uint16_t bytes = table::kEncode[unit];
    if (bytes == 0) {
      return false;
    }
    if (bytes > 0xFF) {
      out[n++] = static_cast<char>(bytes >> 8);
    }
    out[n++] = static_cast<char>(bytes & 0xFF);
  }
  out.resize(n);
  return true;
}

}  // namespace

std::u16string to_utf16(std::string_view gbk_bytes) {
  // Each GBK byte yields at most one UTF-16 unit.
  std::u16string out(gbk_bytes.size(), u'\0');
  return decode_by_table(gbk_bytes, out) ? out : icu::to_utf16(gbk_bytes);
}

std::string from_utf16(std::u16string_view text) {
  std::string out(text.size() * 2, '\0');
  return encode_by_table(text, out) ? out : icu::from_utf16(text);
}

std::string to_utf8(std::string_view gbk_bytes) {
  const std::u16string wide = to_utf16(gbk_bytes);
  // A UTF-16 unit becomes at most three UTF-8 bytes.
  std::string out(wide.size() * 3, '\0');
  int32_t n = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &n, wide.data(),
              static_cast<int32_t>(wide.size()), &status);
  out.resize(converted(status) ? static_cast<size_t>(n) : 0);
  return out;
}

std::string from_utf8(std::string_view utf8) {
  std::u16string wide(utf8.size(), u'\0');
  int32_t n = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(wide.data(), static_cast<int32_t>(wide.size()), &n, utf8.data(),
                       static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
  wide.resize(converted(status) ? static_cast<size_t>(n) : 0);
  return from_utf16(wide);
}

}  // namespace gbk
