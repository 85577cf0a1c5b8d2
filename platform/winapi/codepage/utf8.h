// UTF-8 to UTF-16 and back, straight into the caller's memory; an empty
// target makes a size query.
#pragma once

#include <span>
#include <string_view>

#include "platform/winapi/codepage/code_pages.h"

namespace winapi::codepage {

// Each maximal part of a sequence that could begin a character but is
// none (a stray byte, an overlong form, an encoded surrogate, a code point
// past U+10FFFF, a sequence cut short) becomes one U+FFFD and marks the
// input invalid.
Outcome decode_utf8(std::string_view bytes, std::span<char16_t> target);

// An unpaired surrogate becomes U+FFFD and marks the input invalid.
Outcome encode_utf8(std::u16string_view units, std::span<char> target);

}  // namespace winapi::codepage
