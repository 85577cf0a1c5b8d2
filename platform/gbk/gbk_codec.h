// GBK (Windows code page 936) <-> UTF-8 and UTF-16: on Linux over ICU's
// Windows table, on Windows through the system's own code page 936.
// The program's texts are GBK; Linux file names and Qt are not.
#pragma once

#include <string>
#include <string_view>

namespace gbk {

// Bytes that are not GBK become a replacement character: U+FFFD on Linux,
// the system's choice on Windows.
std::u16string to_utf16(std::string_view gbk_bytes);
std::string to_utf8(std::string_view gbk_bytes);

// Characters GBK cannot hold become '?', as the ANSI code page does.
std::string from_utf16(std::u16string_view text);
std::string from_utf8(std::string_view utf8);

}  // namespace gbk
