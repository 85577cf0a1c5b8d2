// A small valid image for tests that corrupt one field at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "image/format/image_builder.h"

namespace test_image {

// Const data: "" at 0, "First" at 1, "Second" at 7, "lib.so" at 14, "Fn" at 21.
inline constexpr uint32_t kFirstName = 1;
inline constexpr uint32_t kSecondName = 7;

// Two routines (at code offsets 0 and 32), an operand of each relocation kind
// and the 13 slot records; one @reloc1 entry per group.
image::ImageParts small_parts();
image::BuiltImage small_image();

// Offsets inside a built small image.
uint32_t code_data(const image::BuiltImage& b);
uint32_t relocation_entry(const image::BuiltImage& b, uint32_t index);

}  // namespace test_image
