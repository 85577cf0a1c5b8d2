// The picture code: four digits drawn from a built-in 5x7 glyph table, with
// light noise dots and lines, as a 58 x 28 PNG image like the picture box
// that shows it. Needs no font and no GUI application object.
#pragma once

#include <random>
#include <string>
#include <string_view>

namespace service {

inline constexpr int kPictureWidth = 58;
inline constexpr int kPictureHeight = 28;

// `digits` holds ASCII digits only; the result is PNG bytes, empty if the
// image could not be encoded.
std::string draw_picture_code(std::string_view digits, std::mt19937& rng);

}  // namespace service
