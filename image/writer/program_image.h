// The whole program image: constants, form, code, and where the program's
// bound words ended up.
#pragma once

#include <cstdint>
#include <vector>

#include "image/const_table.h"
#include "image/format/image_builder.h"
#include "image/writer/program_code.h"

namespace writer {

struct ProgramImage {
  image::BuiltImage built;
  program::ConstLayout constants;
  ProgramCode code;
};

ProgramImage build_program_image(std::vector<uint8_t> form_section);

}  // namespace writer
