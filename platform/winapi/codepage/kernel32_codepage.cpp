#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/chinese_script.h"
#include "platform/winapi/codepage/code_pages.h"
#include "platform/winapi/codepage/codepage.h"

namespace {

using winapi::codepage::ChineseScript;

int fail(DWORD error) {
  winapi::set_last_error(error);
  return 0;
}

// The source as the caller sized it: -1 means up to and including the terminator.
template <typename Char>
std::basic_string_view<Char> source_view(const Char* source, int length) {
  if (length == -1) {
    return {source, std::char_traits<Char>::length(source) + 1};
  }
  return {source, static_cast<size_t>(length)};
}

bool valid_sizes(const void* source, int source_length, const void* target, int target_length) {
  return source != nullptr && source_length != 0 && source_length >= -1 && target_length >= 0 &&
         (target_length == 0 || target != nullptr);
}

// Size query when the target holds nothing, else copy if it fits.
template <typename Char>
int deliver(std::basic_string_view<Char> result, Char* target, int target_length) {
  if (result.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const int needed = static_cast<int>(result.size());
  if (target_length == 0) {
    return needed;
  }
  if (needed > target_length) {
    return fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(target, result.data(), result.size() * sizeof(Char));
  return needed;
}

// The first character of a default-character text; an empty text names the zero byte.
std::string_view default_character(LPCSTR text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const bool double_byte = lead >= 0x81 && lead <= 0xFE && text[1] != '\0';
  return {text, double_byte ? 2u : 1u};
}

std::optional<UINT> locale_code_page(LCID locale) {
  switch (locale) {
    case 0:
    case 0x0400:  // the user's default locale
    case 0x0800:  // the system's default locale
    case 0x0804:  // Chinese (PRC)
    case 0x1004:  // Chinese (Singapore)
      return 936;
    case 0x0404:  // Chinese (Taiwan)
    case 0x0C04:  // Chinese (Hong Kong)
    case 0x1404:  // Chinese (Macao)
      return 950;
    default:
      return std::nullopt;
  }
}

}  // namespace

extern "C" int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR source, int source_bytes,
                                   LPWSTR target, int target_units) {
  const auto converter = winapi::codepage::converter_name(code_page);
  if (!converter || !valid_sizes(source, source_bytes, target, target_units)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const DWORD allowed =
      code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
  if ((flags & ~allowed) != 0) {
    return fail(ERROR_INVALID_FLAGS);
  }
  const auto decoded = winapi::codepage::to_utf16(*converter, source_view(source, source_bytes));
  if (decoded.invalid_input && (flags & MB_ERR_INVALID_CHARS) != 0) {
    return fail(ERROR_NO_UNICODE_TRANSLATION);
  }
  return deliver(std::u16string_view(decoded.units), target, target_units);
}

extern "C" int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR source, int source_units,
                                   LPSTR target, int target_bytes, LPCSTR default_char,
                                   LPBOOL used_default_char) {
  const auto converter = winapi::codepage::converter_name(code_page);
  if (!converter || !valid_sizes(source, source_units, target, target_bytes)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const bool utf8 = code_page == CP_UTF8;
  if (utf8 && (default_char != nullptr || used_default_char != nullptr)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if ((flags & ~(utf8 ? WC_ERR_INVALID_CHARS : 0)) != 0) {
    return fail(ERROR_INVALID_FLAGS);
  }
  std::optional<std::string_view> replacement;
  if (default_char != nullptr) {
    replacement = default_character(default_char);
  }
  const auto encoded =
      winapi::codepage::from_utf16(*converter, source_view(source, source_units), replacement);
  if (encoded.invalid_input && (flags & WC_ERR_INVALID_CHARS) != 0) {
    return fail(ERROR_NO_UNICODE_TRANSLATION);
  }
  if (used_default_char != nullptr) {
    *used_default_char = encoded.used_default ? 1 : 0;
  }
  return deliver(std::string_view(encoded.bytes), target, target_bytes);
}

extern "C" int LCMapStringA(LCID locale, DWORD map_flags, LPCSTR source, int source_bytes,
                            LPSTR target, int target_bytes) {
  const auto code_page = locale_code_page(locale);
  if (!code_page || !valid_sizes(source, source_bytes, target, target_bytes)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (map_flags != LCMAP_SIMPLIFIED_CHINESE && map_flags != LCMAP_TRADITIONAL_CHINESE) {
    return fail(ERROR_INVALID_FLAGS);
  }
  const char* converter = *winapi::codepage::converter_name(*code_page);
  const auto decoded = winapi::codepage::to_utf16(converter, source_view(source, source_bytes));
  const auto mapped = winapi::codepage::map_chinese_script(
      decoded.units, map_flags == LCMAP_SIMPLIFIED_CHINESE ? ChineseScript::kSimplified
                                                           : ChineseScript::kTraditional);
  if (!mapped) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const auto encoded = winapi::codepage::from_utf16(converter, *mapped, std::nullopt);
  return deliver(std::string_view(encoded.bytes), target, target_bytes);
}
