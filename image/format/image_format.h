// The stored layout of the program image: header, library table, declared
// functions, the section chain, relocation entries, the code section's
// records and the "@reloc1" groups. All numbers are little-endian u32 unless
// a field says otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace image {

inline constexpr uint32_t kMagic = 0x4A57;
inline constexpr uint32_t kNoOffset = 0xFFFFFFFF;

// Header fields, as offsets from the start of the image.
namespace hdr {
inline constexpr uint32_t Magic = 0x00;
inline constexpr uint32_t ZeroWords = 0x04;  // 8 words
inline constexpr uint32_t FirstSection = 0x24;
inline constexpr uint32_t Reserved = 0x28;  // 4 words
inline constexpr uint32_t DeclarationCount = 0x38;
inline constexpr uint32_t Entry = 0x3c;
inline constexpr uint32_t SectionHeaders = 0x40;  // const, form, help, code, var
inline constexpr uint32_t ConstAgain = 0x54;
inline constexpr uint32_t Declarations = 0x58;
}  // namespace hdr
inline constexpr std::array<uint32_t, 4> kReservedWords = {1, 3, 0, 0x13287};
inline constexpr uint32_t kZeroWordCount = 8;

// Section header fields, as offsets from the header's start.
namespace sec {
inline constexpr uint32_t HeaderSize = 0x00;
inline constexpr uint32_t Next = 0x04;
inline constexpr uint32_t Flags = 0x08;
inline constexpr uint32_t Name = 0x0c;
inline constexpr uint32_t NameWidth = 24;
inline constexpr uint32_t MemorySize = 0x24;
inline constexpr uint32_t StoredSize = 0x28;
inline constexpr uint32_t DataOffset = 0x2c;
inline constexpr uint32_t RelocationCount = 0x30;
inline constexpr uint32_t Reserved = 0x34;
inline constexpr uint32_t Size = 0x38;
}  // namespace sec

// The six sections, in chain order.
enum class SectionId : uint32_t { Const, Form, Help, Code, Var, Reloc1, Count };
inline constexpr size_t kSectionCount = static_cast<size_t>(SectionId::Count);

struct SectionInfo {
  std::string_view name;
  uint32_t flags;
  bool stored;           // false: exists in memory only ("var")
  bool has_header_slot;  // named by one of the header's section words
};
inline constexpr std::array<SectionInfo, kSectionCount> kSections = {{
    {"const", 1, true, true},
    {"form", 1, true, true},
    {"help", 1, true, true},
    {"code", 5, true, true},
    {"var", 0x13, false, true},
    {"@reloc1", 1, true, false},
}};
inline constexpr uint32_t kHelpSize = 52;
// The largest in-memory-only section the loader allocates: far above what a
// program's globals need, and far below where a size rounded up to whole
// 8-byte words could wrap around 32 bits.
inline constexpr uint32_t kMaxMemoryOnlySize = 64u << 20;

// Relocation entry: (code offset of the word x 8) + kind.
enum class RelocKind : uint32_t { Slot = 0, Const = 1, Var = 2, Code = 3 };
inline constexpr uint32_t reloc_entry(uint32_t code_offset, RelocKind kind) {
  return code_offset * 8 + static_cast<uint32_t>(kind);
}
inline constexpr uint32_t reloc_offset(uint32_t entry) {
  return entry / 8;
}
inline constexpr uint32_t reloc_kind_bits(uint32_t entry) {
  return entry % 8;
}
std::string_view reloc_kind_name(RelocKind kind);

// Code section records. Every bound word is 8 bytes: stored, the 32-bit offset
// in the low half; bound, the absolute address.
enum class RecordTag : uint32_t { Routine = 1, Operand = 2, Slot = 3 };
namespace rec {
// Routine record: tag, routine number, name word (const offset of the export
// name), entry word (stored 0), reserved u64.
inline constexpr uint32_t RoutineSize = 32;
inline constexpr uint32_t RoutineNumber = 4;
inline constexpr uint32_t RoutineName = 8;
inline constexpr uint32_t RoutineEntry = 16;
// Operand and slot records: tag, owner routine (operand) or slot number
// (slot), one word.
inline constexpr uint32_t WordSize = 16;
inline constexpr uint32_t Info = 4;
inline constexpr uint32_t Word = 8;
}  // namespace rec

// "@reloc1": four groups, each a count and that many code offsets.
inline constexpr size_t kReloc1Groups = 4;
inline constexpr std::array<std::string_view, kReloc1Groups> kReloc1GroupNames = {
    "window and control ids", "declared-function indices", "library indices", "kind codes"};

// Libraries a program may list; binding refuses any other identifier.
struct KnownLibrary {
  std::string_view name;
  std::string_view identifier;
  uint32_t major;
  uint32_t minor;
};
inline constexpr std::array<KnownLibrary, 5> kKnownLibraries = {{
    {"krnln", "d09f2340818511d396f6aaf844c7e325", 5, 0},
    {"spec", "A512548E76954B6E92C21055517615B0", 3, 0},
    {"qImgConverter", "8FA3AA46276847db8F28E57E7FB97B7F", 2, 0},
    {"HtmlView", "5014D8FA6DCA40b68FA626D8183666EB", 2, 0},
    {"qAPI", "F7FC1AE45C5C4758AF03EF19F18A395D", 3, 0},
}};

}  // namespace image
