#include "image/writer/program_image.h"

namespace writer {

ProgramImage build_program_image(std::vector<uint8_t> form_section) {
  ProgramImage out;
  out.constants = program::lay_out_constants();
  out.code = build_program_code(out.constants);
  image::ImageParts parts;
  parts.libraries = image::standard_libraries();
  for (const auto& [library, function] : out.constants.declarations) {
    parts.declarations.push_back({library, function});
  }
  parts.const_data = out.constants.data;
  parts.form_data = std::move(form_section);
  parts.code_data = out.code.data;
  parts.relocations = out.code.relocations;
  parts.var_size = sizeof(void*);
  parts.reloc1_groups = out.code.reloc1_groups;
  parts.entry_code_offset = program::code_offset(program::Routine::ProgramEntry);
  out.built = image::build_image(parts);
  return out;
}

}  // namespace writer
