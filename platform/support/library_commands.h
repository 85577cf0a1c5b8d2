// The support libraries' commands the program calls (slot CallLibraryCommand).
#pragma once

#include <cstdint>

#include "runtime/abi.h"

namespace support {

// ConvertImageFile (library 2, command 0x4: a picture file written as a BMP
// file, both paths Windows-style GBK text) and OpenUrl (library 4, command
// 0xe0). Any other pair is an internal fault that names it.
abi::ArgRecord call_library_command(uint32_t library, uint32_t command, uint32_t argc,
                                    const abi::ArgRecord* args);

}  // namespace support
