#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/chinese_script.h"
#include "platform/winapi/codepage/code_pages.h"
#include "platform/winapi/codepage/codepage.h"
#include "platform/winapi/codepage/remembered_result.h"
#include "platform/winapi/codepage/script_table.h"

namespace {

using winapi::codepage::ChineseScript;
using winapi::codepage::ConversionCall;
using winapi::codepage::Converted;
using winapi::codepage::Outcome;
using winapi::codepage::RememberedResult;
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

// A size query converts into memory of its own and keeps the result for the
// call that follows; a conversion takes that result or converts straight into
// the caller's buffer. `refuse_flag` is the flag that turns invalid input into
// an error.
template <typename From, typename To, typename Into, typename Whole>
int convert(RememberedResult<From, To>& remembered, const ConversionCall<From>& call, To* target,
            int target_length, DWORD refuse_flag, LPBOOL used_default_char, const Into& into,
            const Whole& whole) {
  Outcome outcome;
  if (target_length == 0) {
    Converted<To> result = whole();
    outcome = result.outcome;
    remembered.keep(call, std::move(result));
  } else if (auto kept = remembered.take(call)) {
    outcome = kept->outcome;
    if (outcome.size <= static_cast<size_t>(target_length)) {
      std::memcpy(target, kept->data.get(), outcome.size * sizeof(To));
    }
  } else {
    outcome = into(std::span<To>(target, static_cast<size_t>(target_length)));
  }
  if (outcome.invalid_input && (call.flags & refuse_flag) != 0) {
    return fail(ERROR_NO_UNICODE_TRANSLATION);
  }
  if (used_default_char != nullptr) {
    *used_default_char = outcome.used_default ? 1 : 0;
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
  thread_local RememberedResult<char, char16_t> remembered;
  const ConversionCall<char> call{code_page, flags, source_view(source, source_bytes),
                                  std::nullopt};
  return convert(
      remembered, call, target, target_units, MB_ERR_INVALID_CHARS, nullptr,
      [&](std::span<char16_t> into) {
        return winapi::codepage::to_utf16(*converter, call.source, into);
      },
      [&] { return winapi::codepage::to_utf16(*converter, call.source); });
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
  thread_local RememberedResult<char16_t, char> remembered;
  const ConversionCall<char16_t> call{code_page, flags, source_view(source, source_units),
                                      replacement};
  return convert(
      remembered, call, target, target_bytes, WC_ERR_INVALID_CHARS, used_default_char,
      [&](std::span<char> into) {
        return winapi::codepage::from_utf16(*converter, call.source, into, replacement);
      },
      [&] { return winapi::codepage::from_utf16(*converter, call.source, replacement); });
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
