// Well-formed UTF-8, the usual input, checked, measured and decoded by
// vectors of bytes where the processor allows (SSE4.1 or AVX2, chosen at
// run time). Text that is not well formed, or a processor without them,
// is left to the byte-by-byte conversion.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace winapi::codepage {

// The UTF-16 length of well-formed text; nullopt when the text is not well
// formed or the processor cannot check it by vectors.
std::optional<size_t> utf16_length_if_well_formed(std::string_view bytes);

// Decodes well-formed text into `target` and gives the units written;
// nullopt when the text is not well formed, the result does not fit or the
// processor cannot decode by vectors. The target then holds units that
// the byte-by-byte conversion of the same text writes over.
std::optional<size_t> decode_if_well_formed(std::string_view bytes, std::span<char16_t> target);

}  // namespace winapi::codepage
