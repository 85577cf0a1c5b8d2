#include "tests/image/test_image.h"

#include <string_view>

#include "runtime/abi.h"

namespace test_image {

image::ImageSpec small_spec() {
  using image::RecordTag;
  using image::RelocKind;
  image::ImageSpec spec;
  spec.libraries = image::standard_libraries();
  constexpr std::string_view kConst("\0First\0Second\0lib.so\0Fn\0", 24);
  spec.const_data.assign(kConst.begin(), kConst.end());
  spec.declarations = {{14, 21}, {0, 21}};
  spec.form_data = {8, 0, 0, 0};
  image::CodeWriter code;
  const auto word = image::CodeWriter::word_of;
  spec.relocations.push_back(
      image::reloc_entry(word(code.routine(0, kFirstName), RecordTag::Routine), RelocKind::Const));
  spec.relocations.push_back(
      image::reloc_entry(word(code.routine(1, kSecondName), RecordTag::Routine), RelocKind::Const));
  spec.relocations.push_back(
      image::reloc_entry(word(code.operand(1, 7), RecordTag::Operand), RelocKind::Const));
  spec.relocations.push_back(
      image::reloc_entry(word(code.operand(1, 0), RecordTag::Operand), RelocKind::Var));
  spec.relocations.push_back(
      image::reloc_entry(word(code.operand(1, 32), RecordTag::Operand), RelocKind::Code));
  const uint32_t immediate = word(code.operand(1, 0x52010001), RecordTag::Operand);
  for (uint32_t slot : abi::kStoredSlotOrder) {
    spec.relocations.push_back(
        image::reloc_entry(word(code.slot(slot), RecordTag::Slot), RelocKind::Slot));
  }
  spec.code_data = code.data();
  spec.reloc1_groups = {{{immediate}, {immediate}, {immediate}, {immediate}}};
  spec.entry_code_offset = 32;
  return spec;
}

image::BuiltImage small_image() {
  return image::build_image(small_spec());
}

uint32_t code_data(const image::BuiltImage& b) {
  return b.data_offsets[static_cast<size_t>(image::SectionId::Code)];
}

uint32_t relocation_entry(const image::BuiltImage& b, uint32_t index) {
  return b.header_offsets[static_cast<size_t>(image::SectionId::Code)] + image::sec::Size +
         4 * index;
}

}  // namespace test_image
