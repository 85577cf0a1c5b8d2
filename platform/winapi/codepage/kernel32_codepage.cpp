#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/chinese_script.h"
#include "platform/winapi/codepage/code_pages.h"
#include "platform/winapi/codepage/codepage.h"
#include "platform/winapi/codepage/dbcs_convert.h"
#include "platform/winapi/codepage/dbcs_table.h"
#include "platform/winapi/codepage/script_table.h"
#include "platform/winapi/codepage/utf8.h"

namespace {

using winapi::codepage::ChineseScript;
using winapi::codepage::DbcsTable;
using winapi::codepage::decode_dbcs;
using winapi::codepage::Outcome;
using winapi::codepage::ScriptTable;

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

// The size of a finished conversion, or the error Windows gives for it.
int result_size(const Outcome& outcome, int target_length) {
  if (outcome.size > static_cast<size_t>(std::numeric_limits<int>::max())) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (target_length != 0 && outcome.size > static_cast<size_t>(target_length)) {
    return fail(ERROR_INSUFFICIENT_BUFFER);
  }
  return static_cast<int>(outcome.size);
}

// The outcome of a finished conversion as the function's result: the
// size, or 0 with the error Windows gives. `refuse_flag` is the flag that
// turns invalid input into an error.
int finish(const Outcome& outcome, DWORD flags, DWORD refuse_flag, int target_length) {
  if (outcome.invalid_input && (flags & refuse_flag) != 0) {
    return fail(ERROR_NO_UNICODE_TRANSLATION);
  }
  return result_size(outcome, target_length);
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
  const std::string_view text = source_view(source, source_bytes);
  const std::span<char16_t> into(target, static_cast<size_t>(target_units));
  Outcome outcome;
  if (code_page == CP_UTF8) {
    outcome = winapi::codepage::decode_utf8(text, into);
  } else if (const DbcsTable* table = DbcsTable::of(*converter);
             const auto by_table = table ? decode_dbcs(*table, text, into) : std::nullopt) {
    outcome = *by_table;
  } else {
    // Bytes that are no character take the converter's own path.
    outcome = winapi::codepage::to_utf16(*converter, text, into);
  }
  return finish(outcome, flags, MB_ERR_INVALID_CHARS, target_units);
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
  const std::u16string_view units = source_view(source, source_units);
  const std::span<char> into(target, static_cast<size_t>(target_bytes));
  Outcome outcome;
  if (utf8) {
    outcome = winapi::codepage::encode_utf8(units, into);
  } else if (const DbcsTable* table = DbcsTable::of(*converter)) {
    outcome = winapi::codepage::encode_dbcs(*table, units, into, replacement);
  } else {
    outcome = winapi::codepage::from_utf16(*converter, units, into, replacement);
  }
  if (used_default_char != nullptr) {
    *used_default_char = outcome.used_default ? 1 : 0;
  }
  return finish(outcome, flags, WC_ERR_INVALID_CHARS, target_bytes);
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
  const ChineseScript to = map_flags == LCMAP_SIMPLIFIED_CHINESE ? ChineseScript::kSimplified
                                                                 : ChineseScript::kTraditional;
  const ScriptTable* table = ScriptTable::of(converter, to);
  if (table == nullptr) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  const std::string_view text = source_view(source, source_bytes);
  Outcome outcome;
  if (const auto size = table->map(text, {target, static_cast<size_t>(target_bytes)})) {
    outcome.size = *size;
  } else {
    // Bytes that are no character: decoded with replacements, mapped and encoded back.
    const auto decoded = winapi::codepage::to_utf16(converter, text);
    const auto mapped = winapi::codepage::map_chinese_script(decoded.view(), to);
    const auto encoded = winapi::codepage::from_utf16(converter, *mapped, std::nullopt);
    outcome = encoded.outcome;
    if (target_bytes != 0 && outcome.size <= static_cast<size_t>(target_bytes)) {
      std::memcpy(target, encoded.data.get(), outcome.size);
    }
  }
  return result_size(outcome, target_bytes);
}
