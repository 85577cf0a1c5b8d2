#include "image/writer/outputs.h"

#include <sstream>

#include "image/format/byte_io.h"
#include "platform/console/hex_text.h"

namespace writer {

std::optional<ObjectFormat> parse_object_format(std::string_view name) {
  if (name == "elf") {
    return ObjectFormat::Elf;
  }
  if (name == "pe-i386") {
    return ObjectFormat::PeI386;
  }
  return std::nullopt;
}

std::string assembler_source(const std::string& image_path, ObjectFormat format) {
  // A section of its own, so the image is that writable section's first byte.
  if (format == ObjectFormat::PeI386) {
    // COFF has no symbol types or sizes; the section name fits the eight
    // characters an executable's section table holds.
    return "  .section .lybimg,\"dw\"\n"
           "  .globl _lanyinbao_image\n"
           "  .balign 16\n"
           "_lanyinbao_image:\n"
           "  .incbin \"" +
           image_path + "\"\n";
  }
  return "  .section lyb_image,\"aw\",@progbits\n"
         "  .globl lanyinbao_image\n"
         "  .type lanyinbao_image, @object\n"
         "  .balign 16\n"
         "lanyinbao_image:\n"
         "  .incbin \"" +
         image_path +
         "\"\n"
         "  .size lanyinbao_image, . - lanyinbao_image\n"
         "  .section .note.GNU-stack,\"\",@progbits\n";
}

namespace {

uint32_t code_at(const ProgramImage& p, uint32_t code_offset) {
  return p.built.data_offsets[static_cast<size_t>(image::SectionId::Code)] + code_offset;
}

}  // namespace

std::string layout_header(const ProgramImage& p) {
  std::ostringstream h;
  const auto operand = [&](Operand o) {
    return console::hex_text(code_at(p, p.code.operand_words[static_cast<size_t>(o)]));
  };
  h << "// Written by the image writer from the program's constants and routine list.\n"
       "// Image offsets of the words the program reads once the image is bound.\n"
       "#pragma once\n\n#include <cstdint>\n\n#include \"image/const_table.h\"\n\n"
       "namespace program::layout {\n\n";
  h << "inline constexpr uint32_t kImageSize = " << console::hex_text(p.built.bytes.size())
    << ";\n";
  h << "inline constexpr uint32_t kConstBaseWord = " << operand(Operand::ConstBase) << ";\n";
  h << "inline constexpr uint32_t kWindowListWord = " << operand(Operand::WindowList) << ";\n";
  h << "inline constexpr uint32_t kReleaseGlobalsWord = " << operand(Operand::ReleaseGlobalsValue)
    << ";\n";
  h << "inline constexpr uint32_t kEnumCallbackWord = " << operand(Operand::EnumCallbackValue)
    << ";\n";
  h << "inline constexpr uint32_t kStartWindowIdWord = " << operand(Operand::StartWindowId)
    << ";\n\n";
  h << "// By slot number.\ninline constexpr uint32_t kSlotWords[] = {";
  for (size_t s = 0; s < p.code.slot_words.size(); ++s) {
    h << (s % 6 == 0 ? "\n    " : " ") << console::hex_text(code_at(p, p.code.slot_words[s]))
      << ",";
  }
  h << "\n};\n\n// Offsets in the const data, by program::Const.\n"
       "inline constexpr uint32_t kConstOffsets[] = {";
  for (size_t c = 0; c < p.constants.offsets.size(); ++c) {
    h << (c % 8 == 0 ? "\n    " : " ") << console::hex_text(p.constants.offsets[c]) << ",";
  }
  h << "\n};\nstatic_assert(std::size(kConstOffsets) == kConstCount);\n\n}  // namespace "
       "program::layout\n";
  return h.str();
}

std::string export_list(ObjectFormat format) {
  if (format == ObjectFormat::PeI386) {
    // Undecorated names: the linker matches them to the underscored symbols.
    std::string out = "EXPORTS\n  lanyinbao_image DATA\n";
    for (std::string_view name : program::kRoutineNames) {
      out += "  " + std::string(name) + "\n";
    }
    return out;
  }
  std::string out = "{\n  lanyinbao_image;\n";
  for (std::string_view name : program::kRoutineNames) {
    out += "  " + std::string(name) + ";\n";
  }
  return out + "};\n";
}

std::string export_list_file_name(ObjectFormat format) {
  return format == ObjectFormat::PeI386 ? "program_exports.def" : "program_exports.list";
}

}  // namespace writer
