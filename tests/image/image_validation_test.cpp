#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/format/byte_io.h"
#include "image/format/image_view.h"
#include "platform/console/hex_text.h"
#include "tests/image/test_image.h"

namespace {

using console::hex_text;
using image::BuiltImage;
using image::SectionId;

uint32_t header_of(const BuiltImage& b, SectionId id) {
  return b.header_offsets[static_cast<size_t>(id)];
}
uint32_t section_size(const BuiltImage& b, SectionId id) {
  return image::read_u32(b.bytes, header_of(b, id) + image::sec::MemorySize);
}

TEST(ImageValidation, TheSmallImageIsValid) {
  const BuiltImage b = test_image::small_image();
  const auto result = image::validate_image(b.bytes);
  EXPECT_TRUE(result.ok) << result.message;
}

struct TruncationRow {
  uint32_t offset;
  const char* field;
};

class HeaderTruncation : public ::testing::TestWithParam<TruncationRow> {};

TEST_P(HeaderTruncation, NamesTheFieldThatIsCutOff) {
  BuiltImage b = test_image::small_image();
  const TruncationRow row = GetParam();
  b.bytes.resize(row.offset + 3);
  const auto result = image::validate_image(b.bytes);
  ASSERT_FALSE(result.ok);
  EXPECT_EQ(result.message, "header: field '" + std::string(row.field) + "' at " +
                                hex_text(row.offset) + " lies past the end (size " +
                                hex_text(row.offset + 3) + ")");
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, HeaderTruncation,
    ::testing::Values(TruncationRow{0x00, "magic"}, TruncationRow{0x04, "reserved"},
                      TruncationRow{0x20, "reserved"}, TruncationRow{0x24, "first section header"},
                      TruncationRow{0x28, "reserved"}, TruncationRow{0x34, "reserved"},
                      TruncationRow{0x38, "declaration count"}, TruncationRow{0x3c, "entry offset"},
                      TruncationRow{0x40, "const header offset"},
                      TruncationRow{0x44, "form header offset"},
                      TruncationRow{0x48, "help header offset"},
                      TruncationRow{0x4c, "code header offset"},
                      TruncationRow{0x50, "var header offset"},
                      TruncationRow{0x54, "const header offset (again)"}));

TEST(ImageValidation, EveryShorterImageIsRejected) {
  const BuiltImage b = test_image::small_image();
  for (size_t size = 0; size < b.bytes.size(); ++size) {
    const std::span<const uint8_t> cut(b.bytes.data(), size);
    EXPECT_FALSE(image::validate_image(cut).ok) << "accepted at size " << size;
  }
}

struct CorruptionRow {
  const char* what;
  std::function<void(BuiltImage&)> change;
  std::function<std::string(const BuiltImage&)> message;
};

void put(BuiltImage& b, uint32_t offset, uint32_t value) {
  image::write_u32(b.bytes, offset, value);
}

const CorruptionRow kCorruptions[] = {
    {"bad magic", [](BuiltImage& b) { put(b, 0, 0x1234); },
     [](const BuiltImage&) { return "header: magic at 0x0 is 0x1234, expected 0x4a57"; }},
    {"first section not after the library table",
     [](BuiltImage& b) { put(b, image::hdr::FirstSection, header_of(b, SectionId::Const) + 4); },
     [](const BuiltImage& b) {
       return "header: first section header at " + hex_text(header_of(b, SectionId::Const) + 4) +
              ", expected " + hex_text(header_of(b, SectionId::Const)) +
              " (right after the library table)";
     }},
    {"looping chain",
     [](BuiltImage& b) {
       put(b, header_of(b, SectionId::Form) + image::sec::Next, header_of(b, SectionId::Const));
     },
     [](const BuiltImage& b) {
       return "section 'form': link to the next header is " +
              hex_text(header_of(b, SectionId::Const)) + ", expected " +
              hex_text(header_of(b, SectionId::Help)) + " (no gaps)";
     }},
    {"chain ending early",
     [](BuiltImage& b) { put(b, header_of(b, SectionId::Help) + image::sec::Next, 0xFFFFFFFF); },
     [](const BuiltImage&) { return "section chain ends after 3 sections, expected 6"; }},
    {"section data past the end",
     [](BuiltImage& b) {
       put(b, header_of(b, SectionId::Form) + image::sec::MemorySize, 0x7fffffff);
       put(b, header_of(b, SectionId::Form) + image::sec::StoredSize, 0x7fffffff);
     },
     [](const BuiltImage& b) {
       return "section 'form': data " + hex_text(b.data_offsets[1]) +
              "+0x7fffffff lies past the end (size " + hex_text(b.bytes.size()) + ")";
     }},
    {"var with stored data",
     [](BuiltImage& b) { put(b, header_of(b, SectionId::Var) + image::sec::DataOffset, 0); },
     [](const BuiltImage&) {
       return "section 'var': data offset 0x0 and stored size 0x0, expected 0xffffffff and 0";
     }},
    {"var size that wraps when rounded to words",
     [](BuiltImage& b) {
       put(b, header_of(b, SectionId::Var) + image::sec::MemorySize, 0xFFFFFFF9);
     },
     [](const BuiltImage& b) {
       return "section 'var': size 0xfffffff9 at " + hex_text(header_of(b, SectionId::Var) + 0x24) +
              " exceeds the limit 0x4000000";
     }},
    {"var size one past the limit",
     [](BuiltImage& b) {
       put(b, header_of(b, SectionId::Var) + image::sec::MemorySize, 0x4000001);
     },
     [](const BuiltImage& b) {
       return "section 'var': size 0x4000001 at " + hex_text(header_of(b, SectionId::Var) + 0x24) +
              " exceeds the limit 0x4000000";
     }},
    {"misnamed section",
     [](BuiltImage& b) { b.bytes[header_of(b, SectionId::Form) + image::sec::Name + 1] = 'a'; },
     [](const BuiltImage& b) {
       return "section header at " + hex_text(header_of(b, SectionId::Form)) +
              ": name 'farm', expected 'form'";
     }},
    {"header size without the relocations",
     [](BuiltImage& b) { put(b, header_of(b, SectionId::Code), image::sec::Size); },
     [](const BuiltImage&) { return "section 'code': header size 0x38, expected 0x80"; }},
    {"header word naming a wrong section header",
     [](BuiltImage& b) { put(b, image::hdr::SectionHeaders + 8, header_of(b, SectionId::Code)); },
     [](const BuiltImage& b) {
       return "header: help header offset at 0x48 is " + hex_text(header_of(b, SectionId::Code)) +
              ", expected " + hex_text(header_of(b, SectionId::Help));
     }},
    {"relocation outside its section",
     [](BuiltImage& b) {
       put(b, test_image::relocation_entry(b, 0),
           image::reloc_entry(section_size(b, SectionId::Code) - 4, image::RelocKind::Const));
     },
     [](const BuiltImage& b) {
       const uint32_t size = section_size(b, SectionId::Code);
       return "section 'code': relocation at " + hex_text(size - 4) +
              " points past the end (size " + hex_text(size) + ")";
     }},
    {"const word past the const data",
     [](BuiltImage& b) { put(b, test_image::code_data(b) + 64 + 8, 0x100); },
     [](const BuiltImage&) {
       return "section 'code': relocation at 0x48: const offset 0x100 lies past the end of 'const' "
              "(size 0x18)";
     }},
    {"var word past the var data",
     [](BuiltImage& b) { put(b, test_image::code_data(b) + 80 + 8, 8); },
     [](const BuiltImage&) {
       return "section 'code': relocation at 0x58: var offset 0x8 lies past the end of 'var' (size "
              "0x8)";
     }},
    {"routine value that is no routine",
     [](BuiltImage& b) { put(b, test_image::code_data(b) + 96 + 8, 16); },
     [](const BuiltImage&) {
       return "section 'code': relocation at 0x68: code offset 0x10 is not the start of a routine "
              "record";
     }},
    {"slot word beyond the slots",
     [](BuiltImage& b) { put(b, test_image::code_data(b) + 128 + 8, 13 * 4); },
     [](const BuiltImage&) {
       return "section 'code': relocation at 0x88: slot word 0x34 is not a slot number x 4 below "
              "13";
     }},
    {"unknown relocation kind",
     [](BuiltImage& b) { put(b, test_image::relocation_entry(b, 0), 8 * 8 + 5); },
     [](const BuiltImage&) { return "section 'code': relocation at 0x8 has unknown kind 5"; }},
    {"unknown record tag", [](BuiltImage& b) { put(b, test_image::code_data(b) + 64, 9); },
     [](const BuiltImage&) {
       return "section 'code': record at 0x40 has tag 0x9, expected 1, 2 or 3";
     }},
    {"entry that is no routine",
     [](BuiltImage& b) { put(b, image::hdr::Entry, test_image::code_data(b) + 64); },
     [](const BuiltImage& b) {
       return "header: entry offset " + hex_text(test_image::code_data(b) + 64) +
              " is not the start of a routine record in 'code' (" +
              hex_text(test_image::code_data(b)) + "+" +
              hex_text(section_size(b, SectionId::Code)) + ")";
     }},
    {"declaration past the const data",
     [](BuiltImage& b) { put(b, image::hdr::Declarations, 100); },
     [](const BuiltImage&) {
       return "declaration 0 library: const offset 0x64 lies past the end of const (size 0x18)";
     }},
    {"unknown library", [](BuiltImage& b) { b.bytes[image::hdr::Declarations + 16 + 6] ^= 0x20; },
     [](const BuiltImage&) {
       return "library table: record at " + hex_text(image::hdr::Declarations + 16) +
              " names an unknown library 'krnln' (D09f2340818511d396f6aaf844c7e325)";
     }},
    {"@reloc1 count beyond the section", [](BuiltImage& b) { put(b, b.data_offsets[5], 1000); },
     [](const BuiltImage&) {
       return "section '@reloc1': group 1: 1000 entries at 0x4 reach past the end (size 0x20)";
     }},
    {"@reloc1 offset outside the code",
     [](BuiltImage& b) { put(b, b.data_offsets[5] + 4, section_size(b, SectionId::Code)); },
     [](const BuiltImage& b) {
       return "section '@reloc1': group 1: code offset " +
              hex_text(section_size(b, SectionId::Code)) + " lies past the end of 'code' (size " +
              hex_text(section_size(b, SectionId::Code)) + ")";
     }},
};

class Corruption : public ::testing::TestWithParam<CorruptionRow> {};

TEST_P(Corruption, IsRejectedWithItsDiagnostic) {
  BuiltImage b = test_image::small_image();
  GetParam().change(b);
  const auto result = image::validate_image(b.bytes);
  ASSERT_FALSE(result.ok);
  EXPECT_EQ(result.message, GetParam().message(b));
  EXPECT_FALSE(image::ImageView::create(b.bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(OneFieldEach, Corruption, ::testing::ValuesIn(kCorruptions),
                         [](const auto& info) {
                           std::string name = info.param.what;
                           for (char& c : name) {
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return name;
                         });

TEST(ImageValidation, AcceptsAVarSectionOfExactlyTheLimit) {
  BuiltImage b = test_image::small_image();
  put(b, header_of(b, SectionId::Var) + image::sec::MemorySize, 64u << 20);
  const auto result = image::validate_image(b.bytes);
  EXPECT_TRUE(result.ok) << result.message;
}

TEST(ImageView, ReadsWhatTheBuilderWrote) {
  const BuiltImage b = test_image::small_image();
  const auto view = image::ImageView::create(b.bytes);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->size(), b.bytes.size());
  ASSERT_EQ(view->libraries().size(), 5u);
  EXPECT_EQ(view->libraries()[3].name, "HtmlView");
  EXPECT_EQ(view->libraries()[4].identifier, "F7FC1AE45C5C4758AF03EF19F18A395D");
  ASSERT_EQ(view->declarations().size(), 2u);
  EXPECT_EQ(view->declarations()[0].library, "lib.so");
  EXPECT_EQ(view->declarations()[1].library, "");
  EXPECT_EQ(view->declarations()[1].function, "Fn");
  EXPECT_EQ(view->entry_code_offset(), 32u);
  EXPECT_EQ(view->section(SectionId::Code).relocation_count, 18u);
  EXPECT_EQ(view->reloc1_groups()[3].code_offsets, std::vector<uint32_t>{0x78});
  const image::CodeRecord* second = view->routine_at(32);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(view->const_text(static_cast<uint32_t>(second->word)), "Second");
  EXPECT_EQ(view->routine_at(64), nullptr);  // an operand record starts there
}

TEST(ImageView, IterationStopsWhenAsked) {
  const BuiltImage b = test_image::small_image();
  const auto view = image::ImageView::create(b.bytes);
  ASSERT_TRUE(view.has_value());
  std::vector<std::string_view> names;
  view->for_each_section([&](const image::Section& s) {
    names.push_back(s.name);
    return s.id == SectionId::Help ? image::IterationDecision::Break
                                   : image::IterationDecision::Continue;
  });
  EXPECT_EQ(names, (std::vector<std::string_view>{"const", "form", "help"}));
}

}  // namespace
