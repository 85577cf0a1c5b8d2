// Validated, read-only views of a program image. `validate_image` checks every
// offset, size, link and relocation; an ImageView is only ever built over
// bytes that passed, so its accessors read without further checks.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/format/image_format.h"

namespace image {

struct ValidationResult {
  bool ok = false;
  std::string message;  // what was found, where, and what was expected
  explicit operator bool() const { return ok; }
};

enum class IterationDecision { Continue, Break };

struct Section {
  SectionId id;
  std::string_view name;
  uint32_t header_offset;
  uint32_t flags;
  uint32_t memory_size;
  uint32_t stored_size;
  uint32_t data_offset;  // kNoOffset when nothing is stored
  uint32_t relocation_count;
  uint32_t next;
  std::span<const uint8_t> data;  // empty when nothing is stored
};

struct Library {
  uint32_t offset;  // image offset of the record
  std::string_view name;
  std::string_view identifier;
  std::string_view major;
  std::string_view minor;
  std::string_view description;  // GBK
};

struct Declaration {
  uint32_t library_offset;  // const offsets
  uint32_t function_offset;
  std::string_view library;  // empty: the system libraries
  std::string_view function;
};

struct Relocation {
  uint32_t entry_offset;  // image offset of the entry
  uint32_t code_offset;   // position of the word in the code data
  RelocKind kind;
  uint64_t stored;  // the word as stored
};

struct CodeRecord {
  RecordTag tag;
  uint32_t offset;  // code offset of the record
  uint32_t info;    // routine number, owner routine or slot number
  uint64_t word;    // name word (routine) or the record's word
};

struct Reloc1Group {
  uint32_t offset;  // image offset of the count word
  std::vector<uint32_t> code_offsets;
};

ValidationResult validate_image(std::span<const uint8_t> bytes);

class ImageView {
 public:
  // Validates first; nullopt with `error` filled when the bytes are malformed.
  static std::optional<ImageView> create(std::span<const uint8_t> bytes,
                                         std::string* error = nullptr);

  std::span<const uint8_t> bytes() const { return bytes_; }
  uint32_t size() const { return size_; }  // through the end of the last section
  uint32_t word(uint32_t offset) const;
  uint32_t entry_offset() const { return word(hdr::Entry); }
  uint32_t entry_code_offset() const {
    return entry_offset() - section(SectionId::Code).data_offset;
  }

  const std::vector<Library>& libraries() const { return libraries_; }
  const std::vector<Declaration>& declarations() const { return declarations_; }
  const Section& section(SectionId id) const { return sections_[static_cast<size_t>(id)]; }
  uint32_t relocation_table_offset() const {
    return section(SectionId::Code).header_offset + sec::Size;
  }
  const std::vector<CodeRecord>& code_records() const { return records_; }
  const std::array<Reloc1Group, kReloc1Groups>& reloc1_groups() const { return groups_; }

  template <typename F>
  void for_each_section(F&& f) const {
    for (const Section& s : sections_) {
      if (f(s) == IterationDecision::Break) {
        return;
      }
    }
  }
  template <typename F>
  void for_each_relocation(F&& f) const {
    for (uint32_t i = 0; i < section(SectionId::Code).relocation_count; ++i) {
      if (f(relocation(i)) == IterationDecision::Break) {
        return;
      }
    }
  }
  Relocation relocation(uint32_t index) const;
  // The routine record at a code offset, if one starts there.
  const CodeRecord* routine_at(uint32_t code_offset) const;
  // Zero-terminated text at a const offset (validated for the declarations
  // and routine names).
  std::string_view const_text(uint32_t const_offset) const;

 private:
  friend class ImageParser;
  std::span<const uint8_t> bytes_;
  uint32_t size_ = 0;
  std::array<Section, kSectionCount> sections_{};
  std::vector<Library> libraries_;
  std::vector<Declaration> declarations_;
  std::vector<CodeRecord> records_;
  std::array<Reloc1Group, kReloc1Groups> groups_{};
};

}  // namespace image
