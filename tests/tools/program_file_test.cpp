// Finding the image section in ELF files made by hand, well formed and not.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/image_dump/program_file.h"

namespace {

// A little-endian ELF file with a name table and one section called `name`
// whose bytes are `payload`, in the 64- or 32-bit layout.
class ElfFile {
 public:
  ElfFile(bool wide, std::string name, std::vector<uint8_t> payload) : wide_(wide) {
    const std::string names = std::string("\0.shstrtab\0", 11) + name + '\0';
    const size_t header = wide ? 64 : 52;
    names_at_ = header;
    payload_at_ = names_at_ + names.size();
    table_at_ = payload_at_ + payload.size();
    bytes_.assign(table_at_ + 3 * entry_size(), 0);
    bytes_[0] = 0x7f, bytes_[1] = 'E', bytes_[2] = 'L', bytes_[3] = 'F';
    bytes_[4] = wide ? 2 : 1;
    bytes_[5] = 1;
    std::copy(names.begin(), names.end(), bytes_.begin() + names_at_);
    std::copy(payload.begin(), payload.end(), bytes_.begin() + payload_at_);
    put_word(wide ? 0x28 : 0x20, table_at_);
    put(wide ? 0x3a : 0x2e, entry_size(), 2);
    put(wide ? 0x3c : 0x30, 3, 2);  // null section, names, payload
    put(wide ? 0x3e : 0x32, 1, 2);
    section(1, 1, 3, names_at_, names.size());
    section(2, 11, 1, payload_at_, payload.size());
  }

  size_t entry_size() const { return wide_ ? 64 : 40; }
  size_t section_header(int i) const { return table_at_ + i * entry_size(); }
  size_t offset_field(int i) const { return section_header(i) + (wide_ ? 24 : 16); }
  size_t size_field(int i) const { return section_header(i) + (wide_ ? 32 : 20); }
  size_t payload_at() const { return payload_at_; }

  void put(size_t at, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
      bytes_[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
  }
  void put_word(size_t at, uint64_t value) { put(at, value, wide_ ? 8 : 4); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  void section(int i, uint32_t name, uint32_t type, size_t at, size_t size) {
    put(section_header(i), name, 4);
    put(section_header(i) + 4, type, 4);
    put_word(offset_field(i), at);
    put_word(size_field(i), size);
  }

  bool wide_;
  size_t names_at_ = 0, payload_at_ = 0, table_at_ = 0;
  std::vector<uint8_t> bytes_;
};

const std::vector<uint8_t> kPayload = {1, 2, 3, 4, 5};

TEST(ProgramFile, FindsTheImageSectionInBothClasses) {
  for (const bool wide : {true, false}) {
    ElfFile elf(wide, "lyb_image", kPayload);
    const dump::ImageInFile found = dump::find_image(elf.bytes());
    ASSERT_EQ(found.error, "") << (wide ? "64-bit" : "32-bit");
    EXPECT_TRUE(found.from_program_file);
    EXPECT_EQ(std::vector<uint8_t>(found.image.begin(), found.image.end()), kPayload);
    EXPECT_EQ(found.image.data(), elf.bytes().data() + elf.payload_at());
  }
}

TEST(ProgramFile, AnythingButElfIsABareImage) {
  const std::vector<uint8_t> bare = {0x7f, 'E', 'L', 0};
  const dump::ImageInFile found = dump::find_image(bare);
  EXPECT_FALSE(found.from_program_file);
  EXPECT_EQ(found.image.size(), bare.size());
}

TEST(ProgramFile, DamagedElfFilesAreRefused) {
  struct Row {
    const char* what;
    void (*damage)(ElfFile&);
    const char* message;
  };
  const Row rows[] = {
      {"other section name", [](ElfFile& e) { e.bytes()[e.payload_at() - 2] = 'X'; },
       "the program file has no section 'lyb_image'"},
      {"big-endian", [](ElfFile& e) { e.bytes()[5] = 2; }, "only little-endian"},
      {"table past the end", [](ElfFile& e) { e.put_word(0x28, e.bytes().size() - 8); },
       "the section header table at"},
      {"table offset wraps", [](ElfFile& e) { e.put_word(0x28, UINT64_MAX - 10); },
       "lies outside the file"},
      {"name index too big", [](ElfFile& e) { e.put(0x3e, 3, 2); },
       "the section name table index 3 is not below 3"},
      {"payload past the end", [](ElfFile& e) { e.put_word(e.size_field(2), 1u << 20); },
       "section 'lyb_image' at"},
      {"payload size wraps",
       [](ElfFile& e) {
         e.put_word(e.offset_field(2), 16);
         e.put_word(e.size_field(2), UINT64_MAX - 8);
       },
       "lies outside the file"},
      {"no bytes stored", [](ElfFile& e) { e.put(e.section_header(2) + 4, 8, 4); },
       "holds no bytes in the file"},
      {"header cut", [](ElfFile& e) { e.bytes().resize(30); }, "the ELF header is cut short"},
  };
  for (const Row& row : rows) {
    ElfFile elf(true, "lyb_image", kPayload);
    row.damage(elf);
    const dump::ImageInFile found = dump::find_image(elf.bytes());
    EXPECT_TRUE(found.image.empty()) << row.what;
    EXPECT_NE(found.error.find(row.message), std::string::npos) << row.what << ": " << found.error;
  }
}

}  // namespace
