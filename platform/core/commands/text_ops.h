// The text commands' work on plain byte strings. Positions count bytes from 1,
// as the program sees them. Arguments the program never gives (positions out
// of range, negative counts) are clamped to the text; results never reach
// outside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core::text_ops {

// Empty for count <= 0; the whole text when count exceeds it.
std::string_view left(std::string_view text, int64_t count);
std::string_view right(std::string_view text, int64_t count);
// A start before 1 counts from 1; a start past the end gives the empty text.
std::string_view mid(std::string_view text, int64_t start, int64_t count);

// 1-based position at or after `start` (below 1 means 1), -1 when absent or
// when `sought` is empty.
int64_t find(std::string_view text, std::string_view sought, int64_t start, bool ignore_case);
// 1-based position of the last occurrence, -1 when absent.
int64_t find_last(std::string_view text, std::string_view sought, bool ignore_case);

// Blanks are space, tab, CR, LF and the two-byte ideographic space A1 A1.
std::string_view trim_blanks(std::string_view text);
std::string remove_blanks(std::string_view text);

// `count` bytes from `start` replaced; start is clamped to 1..length+1 and
// count to what is left behind start (negative: 0).
std::string replace_range(std::string_view text, int64_t start, int64_t count,
                          std::string_view replacement);
// Every occurrence, left to right, without overlaps; an empty `sought` changes nothing.
std::string replace_all(std::string_view text, std::string_view sought,
                        std::string_view replacement, bool case_matters);

// -1, 0 or 1, byte-wise after folding the letters when case does not matter.
int compare(std::string_view a, std::string_view b, bool case_matters);

// The pieces between delimiters, empty ones kept. The empty text has no
// pieces; an empty delimiter leaves the text whole.
std::vector<std::string_view> split(std::string_view text, std::string_view delimiter);

// The decimal number at the start of the text (after blanks): optional sign,
// digits, optional fraction. Anything else gives 0.
double to_number(std::string_view text);

}  // namespace core::text_ops
