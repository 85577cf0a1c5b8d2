// Well-formed UTF-8, the usual input, checked and decoded by blocks of
// sixteen bytes where the processor allows. Each function answers nullopt
// when the text is not well formed, and the caller goes byte by byte.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace winapi::codepage {

// The UTF-16 length of well-formed text.
std::optional<size_t> utf16_length_if_well_formed(std::string_view bytes);

struct DecodedPrefix {
  size_t bytes = 0;  // where a character begins: the rest is left to decode
  size_t units = 0;  // written to the start of the target
};

// Checks the whole text and decodes a prefix of it into `target`; the
// prefix may be empty, and stops short of the end of the text and of the
// target. When the answer is nullopt the target holds units that mean nothing.
std::optional<DecodedPrefix> decode_well_formed_prefix(std::string_view bytes,
                                                       std::span<char16_t> target);

}  // namespace winapi::codepage
