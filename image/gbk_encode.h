// Build-time encoding of the program's texts: UTF-8 sources become the GBK
// bytes the program carries.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace program {

// Stops the build with a message when a character has no GBK form.
std::string to_gbk(std::string_view utf8);

// A page template: LF line ends become CR LF, then GBK.
std::vector<uint8_t> encode_page(std::string_view utf8_lf);

}  // namespace program
