// Assembles a program image from its parts: computes every offset and size,
// chains the sections without gaps and fills in the header. Used by the
// build-time writer and by tests that need valid images to corrupt.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/format/image_format.h"

namespace image {

struct LibraryEntry {
  std::string name;
  std::string identifier;
  uint32_t major;
  uint32_t minor;
  std::string description;  // GBK
};

struct DeclarationEntry {
  uint32_t library_offset;  // const offsets
  uint32_t function_offset;
};

struct ImageParts {
  std::vector<LibraryEntry> libraries;
  std::vector<DeclarationEntry> declarations;
  std::vector<uint8_t> const_data;
  std::vector<uint8_t> form_data;
  std::vector<uint8_t> code_data;
  std::vector<uint32_t> relocations;  // reloc_entry(...) values
  uint32_t var_size = 8;
  std::array<std::vector<uint32_t>, kReloc1Groups> reloc1_groups;
  uint32_t entry_code_offset = 0;
};

struct BuiltImage {
  std::vector<uint8_t> bytes;
  std::array<uint32_t, kSectionCount> header_offsets{};
  std::array<uint32_t, kSectionCount> data_offsets{};  // kNoOffset for "var"
};

BuiltImage build_image(const ImageParts& parts);

// The five libraries in table order, with their GBK descriptions.
std::vector<LibraryEntry> standard_libraries();

// Code section records, appended in order; each returns the record's offset.
class CodeWriter {
 public:
  uint32_t routine(uint32_t number, uint32_t name_const_offset);
  uint32_t operand(uint32_t owner, uint64_t word);
  uint32_t slot(uint32_t slot_number);
  // The code offset of a record's relocatable word.
  static uint32_t word_of(uint32_t record_offset, RecordTag tag);
  std::vector<uint8_t>& data() { return data_; }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace image
