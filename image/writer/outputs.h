// What the writer leaves for the build: the image bytes, an assembler file
// that places them at the start of a writable data section of the program
// file, the layout header the program reads its bound words through, and the
// list of symbols the program file exports.
#pragma once

#include <string>

#include "image/writer/program_image.h"

namespace writer {

std::string assembler_source(const std::string& image_path);
std::string layout_header(const ProgramImage& image);
std::string export_list();

}  // namespace writer
