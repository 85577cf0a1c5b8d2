#include <gtest/gtest.h>

#include <functional>

#include "image/form/form_reader.h"
#include "image/form/form_writer.h"
#include "tests/form/form_builder.h"

namespace {

using form::Bytes;
using form_test::small_form;

uint32_t get_u32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void put_u32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
}

// Start of element i's record (its byte count) in the written form.
size_t record_start(const Bytes& b, size_t i) {
  const uint32_t count = get_u32(b, 28);
  return form::kHeaderSize + 8 * count + get_u32(b, form::kHeaderSize + 4 * (count + i));
}

TEST(FormRoundTrip, WrittenFormReadsBackEqual) {
  const form::Form f = small_form();
  const Bytes bytes = form::write_form(f);
  const form::FormResult result = form::validate_form(bytes);
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(*result.form, f);
  EXPECT_EQ(get_u32(bytes, 32), bytes.size() - form::kHeaderSize);
  EXPECT_EQ(get_u32(bytes, 36), form_test::kWindow);
  EXPECT_EQ(record_start(bytes, 0), form::kHeaderSize + 8 * f.elements.size());
}

TEST(FormRoundTrip, MenuItemRecordIsLaidOutField_by_field) {
  const Bytes bytes = form::write_form(small_form());
  const size_t at = record_start(bytes, 5);  // the level-1 menu item "exit"
  const uint32_t size = get_u32(bytes, at);
  EXPECT_EQ(get_u32(bytes, at + 4), 0x10003u);
  // kind, 20 reserved, empty name and comment, shortcut, level, flags, "exit\0",
  // handler, 16 reserved.
  EXPECT_EQ(size, 4 + 20 + 2 + 12 + 5 + 4 + 16u);
  EXPECT_EQ(get_u32(bytes, at + 4 + 4 + 20 + 2 + 4), 1u);  // level
  EXPECT_EQ(get_u32(bytes, at + 4 + size - 20), 0x20u);    // handler
}

TEST(FormRoundTrip, ForEachElementStopsEarly) {
  const form::Form f = small_form();
  int seen = 0;
  EXPECT_FALSE(form::for_each_element(f, [&](const form::Element& e) {
    ++seen;
    return e.id != form_test::kGroup;
  }));
  EXPECT_EQ(seen, 3);
  EXPECT_NE(form::find_element(f, form_test::kLabel), nullptr);
  EXPECT_EQ(form::find_element(f, 0x1234), nullptr);
}

struct ByteCase {
  const char* what;
  std::function<void(Bytes&)> change;
  const char* message;  // expected part of the diagnostic
};

class CorruptBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(CorruptBytes, IsRejectedWithItsMessage) {
  Bytes bytes = form::write_form(small_form());
  GetParam().change(bytes);
  const form::FormResult result = form::validate_form(bytes);
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.error.find(GetParam().message), std::string::npos) << result.error;
}

// The timer is the last element: its version and interval are the last 8 bytes.
const ByteCase kByteCases[] = {
    {"short header", [](Bytes& b) { b.resize(35); }, "shorter than its 36-byte header"},
    {"first word", [](Bytes& b) { b[0] = 9; },
     "header: field 'first word' at 0x0 is 0x9 (expected 0x8)"},
    {"group id", [](Bytes& b) { b[16] ^= 1; }, "field 'group id' at 0x10"},
    {"zero words", [](Bytes& b) { b[24] = 5; }, "field 'zero words' at 0x18 holds 0x5"},
    {"rest count", [](Bytes& b) { put_u32(b, 32, get_u32(b, 32) + 1); },
     "field 'byte count of the rest' at 0x20"},
    {"element count too big", [](Bytes& b) { put_u32(b, 28, 0x20000000); },
     "field 'element count' at 0x1c is 536870912"},
    {"element count zero", [](Bytes& b) { put_u32(b, 28, 0); }, "element count' at 0x1c is 0"},
    {"record offset", [](Bytes& b) { put_u32(b, form::kHeaderSize + 4 * 8, 4); },
     "element 1 (id 0x16000001): field 'record offset' at 0x44 is 0x4"},
    {"record count past end", [](Bytes& b) { put_u32(b, record_start(b, 6), 0x7fffffff); },
     "element 6 (id 0x16000004): field 'record byte count'"},
    {"unknown kind", [](Bytes& b) { put_u32(b, record_start(b, 3) + 4, 0x10099); },
     "element 3 (id 0x16000003, unknown): field 'kind code'"},
    {"kind of another size", [](Bytes& b) { put_u32(b, record_start(b, 6) + 4, 0x1000b); },
     "element 6 (id 0x16000004, button)"},
    {"reserved after kind", [](Bytes& b) { b[record_start(b, 1) + 10] = 1; },
     "field 'reserved bytes after the kind code'"},
    {"property version", [](Bytes& b) { put_u32(b, b.size() - 8, 3); },
     "field 'property block version'"},
    {"trailing bytes",
     [](Bytes& b) {
       b.push_back(0);
       put_u32(b, 32, static_cast<uint32_t>(b.size() - form::kHeaderSize));
     },
     "1 bytes follow the last record"},
    {"text count past record",
     [](Bytes& b) {
       // The label's caption "<b>x</b>" is followed by two empty texts.
       put_u32(b, record_start(b, 4) - 20, 1000);
     },
     "element 3 (id 0x16000003, label): field 'caption'"},
};

INSTANTIATE_TEST_SUITE_P(Form, CorruptBytes, ::testing::ValuesIn(kByteCases), [](const auto& info) {
  std::string name = info.param.what;
  for (char& c : name) {
    c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
});

TEST(CorruptBytes, EveryTruncationIsRejected) {
  const Bytes bytes = form::write_form(small_form());
  for (size_t n = 0; n < bytes.size(); ++n) {
    Bytes cut(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(n));
    if (n >= form::kHeaderSize) {
      put_u32(cut, 32, static_cast<uint32_t>(n - form::kHeaderSize));  // keep the header honest
    }
    EXPECT_FALSE(form::validate_form(cut).ok()) << "cut at " << n;
  }
}

struct StructureCase {
  const char* what;
  std::function<void(form::Form&)> change;
  const char* message;
};

class BrokenStructure : public ::testing::TestWithParam<StructureCase> {};

TEST_P(BrokenStructure, IsRejectedWithItsMessage) {
  form::Form f = small_form();
  GetParam().change(f);
  const form::FormResult result = form::validate_form(form::write_form(f));
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.error.find(GetParam().message), std::string::npos) << result.error;
}

form::ControlRecord& rec(form::Form& f, size_t i) {
  return std::get<form::ControlRecord>(f.elements[i].record);
}

const StructureCase kStructureCases[] = {
    {"window not first", [](form::Form& f) { std::swap(f.elements[0], f.elements[6]); },
     "element 0 (id 0x16000004, timer): the first element must be the window"},
    {"two windows", [](form::Form& f) { f.elements[6].record = f.elements[0].record; },
     "element 6 (id 0x16000004, window): a form holds one window"},
    {"duplicate id", [](form::Form& f) { f.elements[6].id = form_test::kLabel; },
     "element 6 (id 0x16000003, timer): id already used by element 3"},
    {"parent is a label", [](form::Form& f) { rec(f, 6).parent = form_test::kLabel; },
     "element 6 (id 0x16000004, timer): parent 0x16000003 is not a group box or tab control"},
    {"parent missing", [](form::Form& f) { rec(f, 6).parent = 0x16009999; },
     "element 6 (id 0x16000004, timer): parent 0x16009999 is not a group box"},
    {"not listed by parent", [](form::Form& f) { rec(f, 2).children.clear(); },
     "element 3 (id 0x16000003, label): parent 0x16000002 does not list it exactly once"},
    {"child of another", [](form::Form& f) { rec(f, 2).children.push_back(form_test::kTimer); },
     "element 2 (id 0x16000002, group box): child 0x16000004"},
    {"pages and captions", [](form::Form& f) { rec(f, 1).children = {form_test::kGroup}; },
     "element 1 (id 0x16000001, tab control): 1 page lists for 2 page captions"},
    {"label with children", [](form::Form& f) { rec(f, 3).children = {form_test::kTimer}; },
     "only group boxes and tab controls list children"},
    {"parent loop",
     [](form::Form& f) {
       rec(f, 1).parent = form_test::kGroup;
       rec(f, 2).children.push_back(form_test::kTab);
     },
     "its parents form a loop"},
    {"menu item before entry", [](form::Form& f) { std::swap(f.elements[4], f.elements[5]); },
     "element 4 (id 0x26000002, menu item): a drop-down item comes before any menu bar entry"},
    {"menu level",
     [](form::Form& f) { std::get<form::MenuItemRecord>(f.elements[5].record).level = 2; },
     "menu level 2 (expected 0 or 1)"},
    {"negative size", [](form::Form& f) { rec(f, 6).geometry.width = -1; },
     "negative size -1 x 40"},
};

INSTANTIATE_TEST_SUITE_P(Form, BrokenStructure, ::testing::ValuesIn(kStructureCases),
                         [](const auto& info) {
                           std::string name = info.param.what;
                           for (char& c : name) {
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return name;
                         });

}  // namespace
