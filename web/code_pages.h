// Conversions between the program's GBK texts and other code pages, through
// the declared MultiByteToWideChar, WideCharToMultiByte and LCMapStringA.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/blocks.h"

namespace web {

inline constexpr uint32_t kCodePageAnsi = 0;
inline constexpr uint32_t kCodePageGbk = 936;
inline constexpr uint32_t kCodePageBig5 = 950;
inline constexpr uint32_t kCodePageUtf8 = 65001;

rt::Text ConvertUtf8ToGbk(rt::TextView text);
// Big5 in, GBK out, traditional characters replaced by simplified ones.
rt::Text ConvertBig5ToSimplifiedGbk(rt::TextView text);

// UTF-16 little-endian units, the terminating zero unit included.
// Left out, the code page is UTF-8.
rt::Bytes MultiByteToUtf16(rt::TextView text, std::optional<uint32_t> code_page = std::nullopt);
// The units up to the first zero unit (or the whole set when it holds none).
// Left out, the code page is the system's ANSI code page.
rt::Text Utf16ToMultiByte(rt::BytesView units, std::optional<uint32_t> code_page = std::nullopt);
// A character GBK cannot hold ends the result.
rt::Text Big5ToGbk(rt::TextView text);
rt::Text TraditionalToSimplified(rt::TextView text);

}  // namespace web
