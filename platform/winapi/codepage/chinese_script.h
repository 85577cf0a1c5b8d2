// Character-by-character mapping between traditional and simplified Chinese.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winapi::codepage {

enum class ChineseScript { kSimplified, kTraditional };

// Maps each character on its own, so a phrase never changes as a whole;
// characters without a counterpart are copied. nullopt if ICU lacks the transform.
std::optional<std::u16string> map_chinese_script(std::u16string_view text, ChineseScript to);

}  // namespace winapi::codepage
