#include "image/writer/program_image.h"

namespace writer {

ProgramImage build_program_image(std::vector<uint8_t> form_section) {
  ProgramImage out;
  out.constants = program::lay_out_constants();
  out.code = build_program_code(out.constants);
  image::ImageSpec spec;
  spec.libraries = image::standard_libraries();
  for (const auto& [library, function] : out.constants.declarations) {
    spec.declarations.push_back({library, function});
  }
  spec.const_data = out.constants.data;
  spec.form_data = std::move(form_section);
  spec.code_data = out.code.data;
  spec.relocations = out.code.relocations;
  spec.var_size = sizeof(void*);
  spec.reloc1_groups = out.code.reloc1_groups;
  spec.entry_code_offset = program::code_offset(program::Routine::ProgramEntry);
  out.built = image::build_image(spec);
  return out;
}

}  // namespace writer
