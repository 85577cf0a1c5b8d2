// One input of the image fuzzer: validate, and walk everything a valid image offers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace image_fuzz {

// Returns true when the input was a valid image.
bool run_one(const uint8_t* data, size_t size);

}  // namespace image_fuzz
