// What the writer leaves for the build: the image bytes, an assembler file
// that places them at the start of a writable data section of the program
// file, the layout header the program reads its bound words through, and the
// list of symbols the program file exports.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "image/writer/program_image.h"

namespace writer {

// The program file's object format: ELF on Linux, PE/COFF for 32-bit Windows
// (where C symbols carry a leading underscore).
enum class ObjectFormat { Elf, PeI386 };

// "elf" or "pe-i386"; anything else is no format.
std::optional<ObjectFormat> parse_object_format(std::string_view name);

std::string assembler_source(const std::string& image_path, ObjectFormat format);
std::string layout_header(const ProgramImage& image);

// A linker dynamic list (ELF) or a module-definition file (PE), and its name.
std::string export_list(ObjectFormat format);
std::string export_list_file_name(ObjectFormat format);

}  // namespace writer
