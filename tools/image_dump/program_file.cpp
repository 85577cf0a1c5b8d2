#include "tools/image_dump/program_file.h"

#include <algorithm>
#include <string_view>

#include "image/format/byte_io.h"
#include "platform/console/hex_text.h"

namespace dump {
namespace {

constexpr std::string_view kImageSection = "lyb_image";
constexpr uint8_t kElfMagic[4] = {0x7f, 'E', 'L', 'F'};
constexpr uint8_t kElfClass32 = 1;
constexpr uint8_t kElfClass64 = 2;
constexpr uint8_t kElfLittleEndian = 1;
constexpr uint32_t kSectionNoBits = 8;

// Where the fields of the ELF header and of a section header stand, for the
// two classes.
struct ElfLayout {
  size_t header_size;
  size_t section_offset_field;  // e_shoff
  size_t section_entry_size_field;
  size_t section_count_field;
  size_t name_section_field;  // e_shstrndx
  size_t section_header_size;
  size_t sh_type;
  size_t sh_offset;
  size_t sh_size;
  bool wide;  // 64-bit addresses and offsets
};

constexpr ElfLayout kElf32{52, 0x20, 0x2e, 0x30, 0x32, 40, 4, 16, 20, false};
constexpr ElfLayout kElf64{64, 0x28, 0x3a, 0x3c, 0x3e, 64, 4, 24, 32, true};

uint16_t read_u16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

class ElfReader {
 public:
  ElfReader(std::span<const uint8_t> file, const ElfLayout& layout) : file_(file), l_(layout) {}

  ImageInFile find(std::string_view wanted) const {
    if (file_.size() < l_.header_size) {
      return fail("the ELF header is cut short");
    }
    const uint64_t table = word(l_.section_offset_field);
    const uint16_t entry_size = read_u16(file_, l_.section_entry_size_field);
    const uint16_t count = read_u16(file_, l_.section_count_field);
    const uint16_t names = read_u16(file_, l_.name_section_field);
    if (entry_size < l_.section_header_size ||
        !image::fits(file_.size(), table, static_cast<uint64_t>(entry_size) * count)) {
      return fail("the section header table at " + console::hex_text(table) +
                  " lies outside the file");
    }
    if (names >= count) {
      return fail("the section name table index " + std::to_string(names) + " is not below " +
                  std::to_string(count));
    }
    const size_t names_header = table + static_cast<size_t>(names) * entry_size;
    const uint64_t names_at = word(names_header + l_.sh_offset);
    const uint64_t names_size = word(names_header + l_.sh_size);
    if (!image::fits(file_.size(), names_at, names_size)) {
      return fail("the section name table lies outside the file");
    }
    const auto name_table = file_.subspan(names_at, names_size);
    for (uint16_t i = 0; i < count; ++i) {
      const size_t header = table + static_cast<size_t>(i) * entry_size;
      if (name_at(name_table, image::read_u32(file_, header)) != wanted) {
        continue;
      }
      const uint64_t at = word(header + l_.sh_offset);
      const uint64_t size = word(header + l_.sh_size);
      if (image::read_u32(file_, header + l_.sh_type) == kSectionNoBits) {
        return fail("section '" + std::string(wanted) + "' holds no bytes in the file");
      }
      if (!image::fits(file_.size(), at, size)) {
        return fail("section '" + std::string(wanted) + "' at " + console::hex_text(at) +
                    " (size " + console::hex_text(size) + ") lies outside the file (size " +
                    console::hex_text(file_.size()) + ")");
      }
      return {file_.subspan(at, size), {}, true};
    }
    return fail("the program file has no section '" + std::string(wanted) + "'");
  }

 private:
  uint64_t word(size_t at) const {
    return l_.wide ? image::read_u64(file_, at) : image::read_u32(file_, at);
  }

  static std::string_view name_at(std::span<const uint8_t> table, uint32_t at) {
    if (at >= table.size()) {
      return {};
    }
    const auto* start = reinterpret_cast<const char*>(table.data() + at);
    size_t length = 0;
    while (at + length < table.size() && start[length] != '\0') {
      ++length;
    }
    return {start, length};
  }

  static ImageInFile fail(std::string why) { return {{}, std::move(why), true}; }

  std::span<const uint8_t> file_;
  const ElfLayout& l_;
};

bool is_elf(std::span<const uint8_t> file) {
  return file.size() >= sizeof kElfMagic &&
         std::equal(std::begin(kElfMagic), std::end(kElfMagic), file.begin());
}

}  // namespace

ImageInFile find_image(std::span<const uint8_t> file) {
  if (!is_elf(file)) {
    return {file, {}, false};
  }
  if (file.size() < 6 || file[5] != kElfLittleEndian ||
      (file[4] != kElfClass32 && file[4] != kElfClass64)) {
    return {{}, "only little-endian 32- and 64-bit ELF files are read", true};
  }
  return ElfReader(file, file[4] == kElfClass64 ? kElf64 : kElf32).find(kImageSection);
}

}  // namespace dump
