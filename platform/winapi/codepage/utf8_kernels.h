// The UTF-8 kernels built for each instruction set, called only on
// processors that have it (see utf8_blocks.cpp). Plain pointers and sizes
// only, so no inline code is shared between the differently built files.
#pragma once

#include <cstddef>

namespace winapi::codepage::kernels {

// What the functions answer for text that is not well formed.
inline constexpr size_t kNotWellFormed = ~size_t{0};

size_t utf16_length_sse41(const unsigned char* text, size_t length);
size_t utf16_length_avx2(const unsigned char* text, size_t length);

// Decodes well-formed text into `out`, which holds `capacity` units, and
// gives the units written; kNotWellFormed also when they do not fit.
size_t decode_if_well_formed_sse41(const unsigned char* text, size_t length, char16_t* out,
                                   size_t capacity);
size_t decode_if_well_formed_avx2(const unsigned char* text, size_t length, char16_t* out,
                                  size_t capacity);

}  // namespace winapi::codepage::kernels
