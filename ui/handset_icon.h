// The program's icon: a silver mobile handset with a red screen, drawn here
// rather than stored, 128 x 128 pixels with alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ui {

inline constexpr int kIconSize = 128;
inline constexpr size_t kIconFileSize = 67646;

// Top-down rows of 0xAARRGGBB pixels, not premultiplied.
std::vector<uint32_t> handset_icon_pixels();

// The same picture as a complete .ico file: one 32-bit image with its
// bitmap header (height doubled for the mask), bottom-up BGRA rows and the
// 1-bit AND mask.
std::vector<uint8_t> handset_icon_file();

}  // namespace ui
