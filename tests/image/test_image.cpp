#include "tests/image/test_image.h"

#include <string_view>

#include "runtime/abi.h"

namespace test_image {

image::ImageParts small_parts() {
  using image::RecordTag;
  using image::RelocKind;
  image::ImageParts parts;
  parts.libraries = image::standard_libraries();
  constexpr std::string_view kConst("\0First\0Second\0lib.so\0Fn\0", 24);
  parts.const_data.assign(kConst.begin(), kConst.end());
  parts.declarations = {{14, 21}, {0, 21}};
  parts.form_data = {8, 0, 0, 0};
  image::CodeWriter code;
  const auto word = image::CodeWriter::word_of;
  parts.relocations.push_back(
      image::reloc_entry(word(code.routine(0, kFirstName), RecordTag::Routine), RelocKind::Const));
  parts.relocations.push_back(
      image::reloc_entry(word(code.routine(1, kSecondName), RecordTag::Routine), RelocKind::Const));
  parts.relocations.push_back(
      image::reloc_entry(word(code.operand(1, 7), RecordTag::Operand), RelocKind::Const));
  parts.relocations.push_back(
      image::reloc_entry(word(code.operand(1, 0), RecordTag::Operand), RelocKind::Var));
  parts.relocations.push_back(
      image::reloc_entry(word(code.operand(1, 32), RecordTag::Operand), RelocKind::Code));
  const uint32_t immediate = word(code.operand(1, 0x52010001), RecordTag::Operand);
  for (uint32_t slot : abi::kStoredSlotOrder) {
    parts.relocations.push_back(
        image::reloc_entry(word(code.slot(slot), RecordTag::Slot), RelocKind::Slot));
  }
  parts.code_data = code.data();
  parts.reloc1_groups = {{{immediate}, {immediate}, {immediate}, {immediate}}};
  parts.entry_code_offset = 32;
  return parts;
}

image::BuiltImage small_image() {
  return image::build_image(small_parts());
}

uint32_t code_data(const image::BuiltImage& b) {
  return b.data_offsets[static_cast<size_t>(image::SectionId::Code)];
}

uint32_t relocation_entry(const image::BuiltImage& b, uint32_t index) {
  return b.header_offsets[static_cast<size_t>(image::SectionId::Code)] + image::sec::Size +
         4 * index;
}

}  // namespace test_image
