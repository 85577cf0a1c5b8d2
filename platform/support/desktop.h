// The two things the support commands ask of the desktop. Each platform
// implements them (desktop_qt.cpp on Linux).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/support/link_target.h"

namespace support {

// Opens an address in the user's browser, or a local file with the program
// the desktop has for it. Says whether the desktop took it.
bool open_target(const LinkTarget& target);

// Decodes a picture file (PNG, BMP, JPEG, ...) and writes it as a BMP file.
// Says whether the file was written; bytes that are no picture write nothing.
bool write_bmp(std::span<const uint8_t> picture_file, const std::filesystem::path& target);

}  // namespace support
