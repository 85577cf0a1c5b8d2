// Conversions between Windows code pages and UTF-16 over ICU's Windows tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/winapi/base/windows_types.h"

namespace winapi::codepage {

// The ICU converter name of a Windows code page; CP_ACP and its aliases are the
// program's ANSI code page, 936. Unknown code pages give nullopt.
std::optional<const char*> converter_name(UINT code_page);

struct Decoded {
  std::u16string units;
  bool invalid_input = false;  // some bytes were no character of the code page
};

// Decodes bytes; invalid sequences become U+FFFD and set invalid_input.
Decoded to_utf16(const char* converter, std::string_view bytes);

struct Encoded {
  std::string bytes;
  bool used_default = false;   // some character had no form in the code page
  bool invalid_input = false;  // some units were unpaired surrogates
};

// Encodes UTF-16; characters the code page cannot hold become `default_bytes`
// (which may be a single zero byte), or the code page's own default when nullopt.
Encoded from_utf16(const char* converter, std::u16string_view units,
                   std::optional<std::string_view> default_bytes);

}  // namespace winapi::codepage
