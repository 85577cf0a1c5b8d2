// Conversions between Windows code pages and UTF-16 by ICU's converters,
// written straight into the caller's memory: the path for what the lookup
// tables leave open (bytes that are no character), and the whole-result
// forms that build those tables.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/winapi/base/windows_types.h"

namespace winapi::codepage {

// The ICU converter name of a Windows code page; CP_ACP and its aliases are the
// program's ANSI code page, 936. Unknown code pages give nullopt.
std::optional<const char*> converter_name(UINT code_page);

struct Outcome {
  size_t size = 0;             // units or bytes of the whole result, whether it fit or not
  bool invalid_input = false;  // bytes that were no character, or unpaired surrogates
  bool used_default = false;   // some character had no form in the code page (encoding only)
};

// Decodes bytes into `target`, as far as it holds; invalid sequences become
// U+FFFD. An empty target makes this a size query.
Outcome to_utf16(const char* converter, std::string_view bytes, std::span<char16_t> target);

// Encodes UTF-16 into `target`, as far as it holds; characters the code page
// cannot hold become `default_bytes` (which may be a single zero byte), or the
// code page's own default when nullopt.
Outcome from_utf16(const char* converter, std::u16string_view units, std::span<char> target,
                   std::optional<std::string_view> default_bytes);

// A whole result in memory of its own.
template <typename Char>
struct Converted {
  std::unique_ptr<Char[]> data;
  Outcome outcome;
  std::basic_string_view<Char> view() const { return {data.get(), outcome.size}; }
};

Converted<char16_t> to_utf16(const char* converter, std::string_view bytes);
Converted<char> from_utf16(const char* converter, std::u16string_view units,
                           std::optional<std::string_view> default_bytes);

}  // namespace winapi::codepage
