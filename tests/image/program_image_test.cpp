// The program's own image as the writer assembles it, read back through the
// validating reader.
#include <gtest/gtest.h>

#include <QString>
#include <bit>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "image/const_table.h"
#include "image/format/byte_io.h"
#include "image/format/image_view.h"
#include "image/program_image_layout.h"
#include "image/writer/program_image.h"
#include "platform/console/hex_text.h"
#include "platform/gbk/gbk_text.h"
#include "runtime/abi.h"
#include "ui/form_tables.h"

namespace {

using image::SectionId;
using program::Const;
using program::Routine;

const writer::ProgramImage& program_image() {
  static const writer::ProgramImage image = writer::build_program_image(ui::build_form_section());
  return image;
}

const image::ImageView& view() {
  static const image::ImageView v = [] {
    std::string error;
    auto created = image::ImageView::create(program_image().built.bytes, &error);
    EXPECT_TRUE(created.has_value()) << error;
    return *created;
  }();
  return v;
}

std::string gbk(const char* utf8) {
  return gbk::from_qstring(QString::fromUtf8(utf8));
}

std::string_view const_bytes(Const c, size_t size) {
  const auto data = view().section(SectionId::Const).data;
  return {reinterpret_cast<const char*>(data.data()) +
              program_image().constants.offsets[static_cast<size_t>(c)],
          size};
}

TEST(ProgramImage, HeaderHoldsTheStatedValues) {
  const auto bytes = program_image().built.bytes;
  EXPECT_EQ(image::read_u32(bytes, 0), 0x4A57u);
  for (uint32_t i = 0; i < 8; ++i) {
    EXPECT_EQ(image::read_u32(bytes, 4 + 4 * i), 0u);
  }
  EXPECT_EQ(image::read_u32(bytes, 0x28), 1u);
  EXPECT_EQ(image::read_u32(bytes, 0x2c), 3u);
  EXPECT_EQ(image::read_u32(bytes, 0x30), 0u);
  EXPECT_EQ(image::read_u32(bytes, 0x34), 0x13287u);
  EXPECT_EQ(image::read_u32(bytes, 0x38), 20u);
  EXPECT_EQ(image::read_u32(bytes, 0x54), view().section(SectionId::Const).header_offset);
}

TEST(ProgramImage, ChainRunsThroughTheSixSectionsWithoutGaps) {
  const auto bytes = program_image().built.bytes;
  std::vector<std::string> names;
  uint32_t at = image::read_u32(bytes, image::hdr::FirstSection);
  uint32_t expected_at = at;
  while (at != image::kNoOffset && names.size() < 10) {
    EXPECT_EQ(at, expected_at);
    names.emplace_back(reinterpret_cast<const char*>(bytes.data() + at + image::sec::Name));
    const uint32_t header_size = image::read_u32(bytes, at);
    expected_at = at + header_size + image::read_u32(bytes, at + image::sec::StoredSize);
    at = image::read_u32(bytes, at + image::sec::Next);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"const", "form", "help", "code", "var", "@reloc1"}));
  EXPECT_EQ(expected_at, bytes.size());
}

TEST(ProgramImage, SectionsHaveTheirFlagsAndVarStoresNothing) {
  const std::pair<SectionId, uint32_t> flags[] = {{SectionId::Const, 1},  {SectionId::Form, 1},
                                                  {SectionId::Help, 1},   {SectionId::Code, 5},
                                                  {SectionId::Var, 0x13}, {SectionId::Reloc1, 1}};
  for (const auto& [id, f] : flags) {
    EXPECT_EQ(view().section(id).flags, f) << view().section(id).name;
  }
  const image::Section& var = view().section(SectionId::Var);
  EXPECT_EQ(var.data_offset, image::kNoOffset);
  EXPECT_EQ(var.stored_size, 0u);
  EXPECT_EQ(var.memory_size, sizeof(void*));
  const image::Section& help = view().section(SectionId::Help);
  EXPECT_EQ(help.data.size(), 52u);
  EXPECT_TRUE(std::all_of(help.data.begin(), help.data.end(), [](uint8_t b) { return b == 0; }));
}

TEST(ProgramImage, LibraryTableListsTheFiveLibraries) {
  const auto& libs = view().libraries();
  ASSERT_EQ(libs.size(), 5u);
  const char* names[] = {"krnln", "spec", "qImgConverter", "HtmlView", "qAPI"};
  const char* majors[] = {"5", "3", "2", "2", "3"};
  for (size_t i = 0; i < libs.size(); ++i) {
    EXPECT_EQ(libs[i].name, names[i]);
    EXPECT_EQ(libs[i].major, majors[i]);
    EXPECT_EQ(libs[i].minor, "0");
  }
  EXPECT_EQ(libs[0].identifier, "d09f2340818511d396f6aaf844c7e325");
  EXPECT_EQ(libs[0].description, gbk("系统核心支持库"));
  EXPECT_EQ(libs[3].description, gbk("超文本浏览框支持库"));
}

TEST(ProgramImage, DeclarationsNameLibraryAndFunction) {
  const auto& decls = view().declarations();
  ASSERT_EQ(decls.size(), 20u);
  const uint32_t empty = program_image().constants.offsets[static_cast<size_t>(Const::Empty)];
  for (size_t i = 0; i < decls.size(); ++i) {
    EXPECT_EQ(decls[i].library, program::kDeclarations[i].library) << i;
    EXPECT_EQ(decls[i].function, program::kDeclarations[i].function) << i;
    if (decls[i].library.empty()) {
      EXPECT_EQ(decls[i].library_offset, empty) << i;
    }
  }
  EXPECT_EQ(decls[0].library, "SkinH_EL.dll");
  EXPECT_EQ(decls[18].library, "kernel32");
  EXPECT_EQ(decls[18].function, decls[17].function);
}

TEST(ProgramImage, RoutineRecordsStandAtTheirCodeOffsets) {
  for (uint32_t r = 0; r < static_cast<uint32_t>(Routine::Count); ++r) {
    const image::CodeRecord* record =
        view().routine_at(program::code_offset(static_cast<Routine>(r)));
    ASSERT_NE(record, nullptr) << r;
    EXPECT_EQ(record->info, r);
    EXPECT_EQ(view().const_text(static_cast<uint32_t>(record->word)), program::kRoutineNames[r]);
  }
}

TEST(ProgramImage, SlotRecordsFollowTheStoredOrder) {
  std::vector<uint32_t> slot_order;
  for (const image::CodeRecord& r : view().code_records()) {
    if (r.tag == image::RecordTag::Slot) {
      EXPECT_EQ(r.word, r.info * 4u);
      slot_order.push_back(r.info);
    }
  }
  EXPECT_EQ(slot_order, std::vector<uint32_t>(std::begin(abi::kStoredSlotOrder),
                                              std::end(abi::kStoredSlotOrder)));
  EXPECT_EQ(view().code_records().back().tag, image::RecordTag::Slot);
}

// The code offset of the routine record that names `name`, found by walking
// the records; 0xffffffff when none does.
uint32_t routine_record_named(std::string_view name) {
  for (const image::CodeRecord& r : view().code_records()) {
    if (r.tag == image::RecordTag::Routine &&
        view().const_text(static_cast<uint32_t>(r.word)) == name) {
      return r.offset;
    }
  }
  return image::kNoOffset;
}

TEST(ProgramImage, EntryIsTheRoutineNamedProgramEntry) {
  const uint32_t entry = routine_record_named("ProgramEntry");
  ASSERT_NE(entry, image::kNoOffset);
  EXPECT_EQ(view().entry_code_offset(), entry);
}

// Every word binding fills in is relocated exactly once, and nothing else is:
// a routine's name word (a constant), an operand's or a slot's word; an
// operand that is an immediate is listed in @reloc1 instead. The counts
// follow from the records, whatever the writer laid out.
TEST(ProgramImage, EveryBoundWordHasExactlyOneRelocation) {
  std::map<uint32_t, image::Relocation> by_offset;
  view().for_each_relocation([&](const image::Relocation& r) {
    EXPECT_TRUE(by_offset.emplace(r.code_offset, r).second)
        << "two relocations at " << console::hex_text(r.code_offset);
    return image::IterationDecision::Continue;
  });
  std::set<uint32_t> routine_records;
  for (const image::CodeRecord& r : view().code_records()) {
    if (r.tag == image::RecordTag::Routine) {
      routine_records.insert(r.offset);
    }
  }
  std::set<uint32_t> immediates;
  for (const image::Reloc1Group& group : view().reloc1_groups()) {
    immediates.insert(group.code_offsets.begin(), group.code_offsets.end());
  }
  size_t bound_words = 0;
  size_t slot_records = 0;
  for (const image::CodeRecord& r : view().code_records()) {
    const auto found = by_offset.find(r.offset + 8);
    if (r.tag == image::RecordTag::Operand && immediates.count(r.offset + 8)) {
      // An immediate (the start window's id) is listed in @reloc1, not bound.
      EXPECT_EQ(found, by_offset.end()) << "immediate at " << console::hex_text(r.offset + 8);
      continue;
    }
    ASSERT_NE(found, by_offset.end())
        << "record at " << console::hex_text(r.offset) << " is not bound";
    const image::Relocation& reloc = found->second;
    ++bound_words;
    switch (r.tag) {
      case image::RecordTag::Routine:
        EXPECT_EQ(reloc.kind, image::RelocKind::Const) << console::hex_text(r.offset);
        EXPECT_EQ(by_offset.count(r.offset + 16), 0u)
            << "entry word of " << console::hex_text(r.offset);
        break;
      case image::RecordTag::Slot:
        ++slot_records;
        EXPECT_EQ(reloc.kind, image::RelocKind::Slot);
        EXPECT_EQ(reloc.stored, r.info * 4u);
        break;
      case image::RecordTag::Operand:
        EXPECT_NE(reloc.kind, image::RelocKind::Slot) << console::hex_text(r.offset);
        if (reloc.kind == image::RelocKind::Code) {
          EXPECT_TRUE(routine_records.count(static_cast<uint32_t>(reloc.stored)));
        }
        break;
    }
  }
  EXPECT_EQ(by_offset.size(), bound_words) << "relocations outside the records' words";
  EXPECT_EQ(slot_records, 13u);
}

TEST(ProgramImage, RoutineValuesAreTheTwoCallbacksAndConstantsStartAtAConstant) {
  std::set<uint32_t> starts;
  const auto& c = program_image().constants;
  starts.insert(c.offsets.begin(), c.offsets.end());
  starts.insert(c.routine_names.begin(), c.routine_names.end());
  std::set<uint32_t> routine_values;
  int var_words = 0;
  view().for_each_relocation([&](const image::Relocation& r) {
    if (r.kind == image::RelocKind::Const) {
      EXPECT_TRUE(starts.count(static_cast<uint32_t>(r.stored)))
          << "const word at " << console::hex_text(r.code_offset) << " points inside a constant";
    }
    if (r.kind == image::RelocKind::Code) {
      routine_values.insert(static_cast<uint32_t>(r.stored));
    }
    var_words += r.kind == image::RelocKind::Var;
    return image::IterationDecision::Continue;
  });
  // The program's one global variable, WindowList.
  EXPECT_EQ(var_words, 1);
  EXPECT_EQ(routine_values, (std::set<uint32_t>{routine_record_named("ReleaseGlobals"),
                                                routine_record_named("EnumWindowsCallback")}));
}

TEST(ProgramImage, Reloc1GroupsListTheImmediates) {
  const auto& groups = view().reloc1_groups();
  ASSERT_EQ(groups[0].code_offsets.size(), 1u);
  const auto code = view().section(SectionId::Code).data;
  EXPECT_EQ(image::read_u32(code, groups[0].code_offsets[0]), abi::kMainWindowId);
  EXPECT_TRUE(groups[1].code_offsets.empty());
  EXPECT_TRUE(groups[2].code_offsets.empty());
  EXPECT_TRUE(groups[3].code_offsets.empty());
  EXPECT_EQ(view().section(SectionId::Reloc1).stored_size, 4u * 4 + 4);
}

TEST(ProgramImage, ConstantsAreStoredAsTheProgramUsesThem) {
  EXPECT_EQ(const_bytes(Const::Empty, 1), std::string_view("\0", 1));
  const std::string placed = gbk("呼叫成功！！正在处理！！请耐心等待5~60秒！");
  EXPECT_EQ(const_bytes(Const::CallPlaced, placed.size() + 1), placed + '\0');
  EXPECT_EQ(const_bytes(Const::SkinFile, 8), std::string_view("\\44.she\0", 8));
  EXPECT_EQ(const_bytes(Const::EmptyArray, 8), std::string_view("\1\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(const_bytes(Const::ZeroByteSet, 9), std::string_view("\1\0\0\0\1\0\0\0\0", 9));
  const std::pair<Const, double> floats[] = {
      {Const::One, 1.0}, {Const::Two, 2.0}, {Const::Eight, 8.0}};
  for (const auto& [c, value] : floats) {
    uint64_t bits;
    std::memcpy(&bits, const_bytes(c, 8).data(), 8);
    EXPECT_EQ(std::bit_cast<double>(bits), value);
  }
}

TEST(ProgramImage, AdTemplatesAreStoredWholeWithCrLfLineEnds) {
  for (Const c : {Const::ListPageTemplate, Const::BannerPageTemplate}) {
    uint32_t header[2];
    std::memcpy(header, const_bytes(c, 8).data(), 8);
    EXPECT_EQ(header[0], 1u);
    const std::string_view page = const_bytes(c, 8 + header[1]).substr(8);
    EXPECT_TRUE(
        page.starts_with("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"));
    EXPECT_TRUE(page.ends_with("</html>\r\n\r\n"));
    for (size_t at = page.find('\n'); at != std::string_view::npos; at = page.find('\n', at + 1)) {
      ASSERT_EQ(page[at - 1], '\r') << "bare line feed at " << at;
    }
    EXPECT_NE(page.find(gbk("<title>岚音宝</title>")), std::string_view::npos);
    EXPECT_NE(page.find("return   false;"), std::string_view::npos);
  }
  uint32_t list_size;
  std::memcpy(&list_size, const_bytes(Const::ListPageTemplate, 8).data() + 4, 4);
  const std::string_view list = const_bytes(Const::ListPageTemplate, 8 + list_size).substr(8);
  size_t links = 0;
  for (size_t at = list.find("<p><a href="); at != std::string_view::npos;
       at = list.find("<p><a href=", at + 1)) {
    ++links;
  }
  EXPECT_EQ(links, 17u);
}

TEST(ProgramImage, WritingTwiceGivesTheSameBytes) {
  EXPECT_EQ(writer::build_program_image(ui::build_form_section()).built.bytes,
            program_image().built.bytes);
}

}  // namespace

namespace {

// The header the program is compiled with describes this very image.
TEST(ProgramImageLayout, MatchesTheImageTheWriterBuilds) {
  namespace layout = program::layout;
  const auto& p = program_image();
  EXPECT_EQ(layout::kImageSize, p.built.bytes.size());
  const uint32_t code = p.built.data_offsets[static_cast<size_t>(SectionId::Code)];
  for (uint32_t s = 0; s < abi::kSlotCount; ++s) {
    EXPECT_EQ(layout::kSlotWords[s], code + p.code.slot_words[s]) << "slot " << s;
    EXPECT_EQ(image::read_u64(p.built.bytes, layout::kSlotWords[s]), s * 4u);
  }
  EXPECT_EQ(image::read_u32(p.built.bytes, layout::kStartWindowIdWord), abi::kMainWindowId);
  EXPECT_EQ(image::read_u64(p.built.bytes, layout::kReleaseGlobalsWord),
            program::code_offset(Routine::ReleaseGlobals));
  EXPECT_EQ(image::read_u64(p.built.bytes, layout::kEnumCallbackWord),
            program::code_offset(Routine::EnumWindowsCallback));
  for (size_t c = 0; c < program::kConstCount; ++c) {
    EXPECT_EQ(layout::kConstOffsets[c], p.constants.offsets[c]) << "constant " << c;
  }
}

}  // namespace
