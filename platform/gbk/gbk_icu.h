// GBK through ICU's converter: what the table codec falls back to for the
// texts its table does not cover (bytes that are not GBK, characters GBK
// cannot hold), so those come out exactly as ICU substitutes them.
#pragma once

#include <string>
#include <string_view>

namespace gbk::icu {

std::u16string to_utf16(std::string_view gbk_bytes);
std::string from_utf16(std::u16string_view text);

}  // namespace gbk::icu
