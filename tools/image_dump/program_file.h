// Finds the program image in a file a user has: the program file itself (the
// image is its own section, "lyb_image") or a bare image as the build writes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace dump {

struct ImageInFile {
  std::span<const uint8_t> image;  // empty when `error` says why
  std::string error;
  bool from_program_file = false;
};

// An ELF file must hold the image section; any other file is taken as a bare
// image and left for the image validation to judge.
ImageInFile find_image(std::span<const uint8_t> file);

}  // namespace dump
