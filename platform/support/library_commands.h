// The support libraries' commands the program calls (slot CallLibraryCommand).
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/abi.h"

namespace support {

// ConvertImageFile (library 2, command 0x4) and OpenUrl (library 4, command
// 0xe0). Any other pair is an internal fault that names it.
abi::ArgRecord call_library_command(uint32_t library, uint32_t command, uint32_t argc,
                                    const abi::ArgRecord* args);

// Reads a PNG (or any picture Qt reads) and writes it as a BMP file; both
// paths Windows-style GBK text. Says whether the file was written.
bool convert_image_file(std::string_view source, std::string_view target);

}  // namespace support
