#include "image/format/image_builder.h"

#include <cassert>

#include "image/format/byte_io.h"

namespace image {

namespace {

void section_header(ByteWriter& w, SectionId id, uint32_t size, bool stored, uint32_t relocs) {
  const SectionInfo& info = kSections[static_cast<size_t>(id)];
  const uint32_t at = static_cast<uint32_t>(w.size());
  const uint32_t header_size = sec::Size + 4 * relocs;
  w.u32(header_size);
  w.u32(0);  // next, patched once the following header's place is known
  w.u32(info.flags);
  std::string name(info.name);
  name.resize(sec::NameWidth, '\0');
  w.raw({reinterpret_cast<const uint8_t*>(name.data()), name.size()});
  w.u32(size);
  w.u32(stored ? size : 0);
  w.u32(stored ? at + header_size : kNoOffset);
  w.u32(relocs);
  w.u32(0);
}

std::vector<uint8_t> reloc1_data(const std::array<std::vector<uint32_t>, kReloc1Groups>& groups) {
  ByteWriter w;
  for (const auto& g : groups) {
    w.u32(static_cast<uint32_t>(g.size()));
    for (uint32_t off : g) {
      w.u32(off);
    }
  }
  return w.take();
}

}  // namespace

BuiltImage build_image(const ImageParts& parts) {
  BuiltImage out;
  ByteWriter w;
  const auto n = static_cast<uint32_t>(parts.declarations.size());
  w.u32(kMagic);
  w.zeros(4 * kZeroWordCount);
  w.u32(0);  // first section header
  for (uint32_t r : kReservedWords) {
    w.u32(r);
  }
  w.u32(n);
  w.u32(0);        // entry
  w.zeros(4 * 6);  // section header words
  for (const auto& d : parts.declarations) {
    w.u32(d.library_offset);
  }
  for (const auto& d : parts.declarations) {
    w.u32(d.function_offset);
  }
  for (const auto& lib : parts.libraries) {
    w.text(lib.name + '\r' + lib.identifier + '\r' + std::to_string(lib.major) + '\r' +
           std::to_string(lib.minor) + '\r' + lib.description);
  }
  w.text("");
  w.patch_u32(hdr::FirstSection, static_cast<uint32_t>(w.size()));

  const std::vector<uint8_t> help(kHelpSize, 0);
  const std::vector<uint8_t> groups = reloc1_data(parts.reloc1_groups);
  const std::array<const std::vector<uint8_t>*, kSectionCount> data = {
      &parts.const_data, &parts.form_data, &help, &parts.code_data, nullptr, &groups};
  for (size_t i = 0; i < kSectionCount; ++i) {
    const auto id = static_cast<SectionId>(i);
    const uint32_t at = static_cast<uint32_t>(w.size());
    if (i > 0) {
      w.patch_u32(out.header_offsets[i - 1] + sec::Next, at);
    }
    out.header_offsets[i] = at;
    const bool stored = data[i] != nullptr;
    const uint32_t relocs =
        id == SectionId::Code ? static_cast<uint32_t>(parts.relocations.size()) : 0;
    section_header(w, id, stored ? static_cast<uint32_t>(data[i]->size()) : parts.var_size, stored,
                   relocs);
    if (id == SectionId::Code) {
      for (uint32_t r : parts.relocations) {
        w.u32(r);
      }
    }
    out.data_offsets[i] = stored ? static_cast<uint32_t>(w.size()) : kNoOffset;
    if (stored) {
      w.raw(*data[i]);
    }
  }
  w.patch_u32(out.header_offsets.back() + sec::Next, kNoOffset);
  for (uint32_t i = 0; i < 5; ++i) {
    w.patch_u32(hdr::SectionHeaders + 4 * i, out.header_offsets[i]);
  }
  w.patch_u32(hdr::ConstAgain, out.header_offsets[0]);
  w.patch_u32(hdr::Entry,
              out.data_offsets[static_cast<size_t>(SectionId::Code)] + parts.entry_code_offset);
  out.bytes = w.take();
  return out;
}

std::vector<LibraryEntry> standard_libraries() {
  // Descriptions in GBK: system core / special functions / image format
  // conversion / HTML browser box / application interface support library.
  static constexpr std::array<const char*, 5> descriptions = {
      "\xcf\xb5\xcd\xb3\xba\xcb\xd0\xc4\xd6\xa7\xb3\xd6\xbf\xe2",
      "\xcc\xd8\xca\xe2\xb9\xa6\xc4\xdc\xd6\xa7\xb3\xd6\xbf\xe2",
      "\xcd\xbc\xcf\xf1\xb8\xf1\xca\xbd\xd7\xaa\xbb\xbb\xd6\xa7\xb3\xd6\xbf\xe2",
      "\xb3\xac\xce\xc4\xb1\xbe\xe4\xaf\xc0\xc0\xbf\xf2\xd6\xa7\xb3\xd6\xbf\xe2",
      "\xd3\xa6\xd3\xc3\xbd\xd3\xbf\xda\xd6\xa7\xb3\xd6\xbf\xe2",
  };
  std::vector<LibraryEntry> out;
  for (size_t i = 0; i < kKnownLibraries.size(); ++i) {
    const KnownLibrary& k = kKnownLibraries[i];
    out.push_back(
        {std::string(k.name), std::string(k.identifier), k.major, k.minor, descriptions[i]});
  }
  return out;
}

uint32_t CodeWriter::routine(uint32_t number, uint32_t name_const_offset) {
  const auto at = static_cast<uint32_t>(data_.size());
  data_.resize(at + rec::RoutineSize, 0);
  write_u32(data_, at, static_cast<uint32_t>(RecordTag::Routine));
  write_u32(data_, at + rec::RoutineNumber, number);
  write_u64(data_, at + rec::RoutineName, name_const_offset);
  return at;
}

uint32_t CodeWriter::operand(uint32_t owner, uint64_t word) {
  const auto at = static_cast<uint32_t>(data_.size());
  data_.resize(at + rec::WordSize, 0);
  write_u32(data_, at, static_cast<uint32_t>(RecordTag::Operand));
  write_u32(data_, at + rec::Info, owner);
  write_u64(data_, at + rec::Word, word);
  return at;
}

uint32_t CodeWriter::slot(uint32_t slot_number) {
  assert(slot_number < 13);
  const auto at = static_cast<uint32_t>(data_.size());
  data_.resize(at + rec::WordSize, 0);
  write_u32(data_, at, static_cast<uint32_t>(RecordTag::Slot));
  write_u32(data_, at + rec::Info, slot_number);
  write_u64(data_, at + rec::Word, slot_number * 4);
  return at;
}

uint32_t CodeWriter::word_of(uint32_t record_offset, RecordTag tag) {
  return record_offset + (tag == RecordTag::Routine ? rec::RoutineName : rec::Word);
}

}  // namespace image
