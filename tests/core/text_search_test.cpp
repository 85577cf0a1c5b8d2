// Searching, cutting and case changes on GBK texts. Two-byte characters used:
// "\xD6\xD0" and "\xCE\xC4" (two common ideographs), "\x81\x41" (its second
// byte is the letter 'A'), "\x81\x61" (second byte 'a').
#include <gtest/gtest.h>

#include <string>

#include "runtime/core_commands.h"
#include "tests/support/runtime_fixture.h"

namespace {

using test_support::RuntimeFixture;

struct FindRow {
  const char* name;
  const char* text;
  const char* sought;
  int32_t start;
  bool ignore_case;
  int32_t expected;
};

const FindRow kFindRows[] = {
    {"third_byte", "abc", "c", 1, false, 3},
    {"missing", "abc", "x", 1, false, -1},
    {"from_start", "abcabc", "bc", 3, false, 5},
    {"start_below_one", "abc", "a", 0, false, 1},
    {"start_past_end", "abc", "a", 4, false, -1},
    {"empty_sought", "abc", "", 1, false, -1},
    {"empty_text", "", "a", 1, false, -1},
    {"case_kept", "ABC", "b", 1, false, -1},
    {"case_ignored", "ABC", "b", 1, true, 2},
    {"host_in_url", "http://Host:80/x", "host", 1, true, 8},
    {"after_ideographs",
     "\xD6\xD0\xCE\xC4"
     "b",
     "b", 1, false, 5},
    {"ideograph", "a\xD6\xD0\xCE\xC4", "\xCE\xC4", 1, false, 4},
    {"trail_byte_is_no_letter",
     "\x81\x41"
     "A",
     "A", 1, false, 3},
    {"trail_byte_not_folded",
     "\x81\x61"
     "A",
     "a", 1, true, 3},
    {"half_a_character", "x\xD6\xD0", "\xD0", 1, false, -1},
    {"straddling_characters", "\xD6\xD0\xCE\xC4", "\xD0\xCE", 1, false, -1},
};

class FindTextTest : public RuntimeFixture, public ::testing::WithParamInterface<FindRow> {};

TEST_P(FindTextTest, GivesBytePositionOrMinusOne) {
  const FindRow& row = GetParam();
  EXPECT_EQ(rt::find_text(row.text, row.sought, row.start, row.ignore_case), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FindTextTest, ::testing::ValuesIn(kFindRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct LocateRow {
  const char* text;
  const char* sought;
  int32_t expected;
};

class LocateTextTest : public RuntimeFixture, public ::testing::WithParamInterface<LocateRow> {};

TEST_P(LocateTextTest, GivesLastPosition) {
  EXPECT_EQ(rt::locate_text(GetParam().text, GetParam().sought), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, LocateTextTest,
                         ::testing::Values(LocateRow{"a/b/c", "/", 4}, LocateRow{"abc", "x", -1},
                                           LocateRow{"aaa", "aa", 2},
                                           LocateRow{"\xD2\xD1\xBE\xAD", "\xD2\xD1", 1},
                                           LocateRow{"\x81\x41", "A", -1}));

enum class Cut { Left, Right, Mid };

struct CutRow {
  const char* name;
  Cut cut;
  const char* text;
  int32_t start;  // Mid only
  int32_t count;
  const char* expected;
};

const CutRow kCutRows[] = {
    {"left_zero", Cut::Left, "abc", 0, 0, ""},
    {"left_two", Cut::Left, "abc", 0, 2, "ab"},
    {"left_more_than_all", Cut::Left, "abc", 0, 5, "abc"},
    {"left_negative", Cut::Left, "abc", 0, -1, ""},
    {"left_ideograph", Cut::Left, "\xD6\xD0\xCE\xC4", 0, 2, "\xD6\xD0"},
    {"right_two", Cut::Right, "abc", 0, 2, "bc"},
    {"right_more_than_all", Cut::Right, "abc", 0, 9, "abc"},
    {"right_negative", Cut::Right, "abc", 0, -3, ""},
    {"mid_inside", Cut::Mid, "abcdef", 2, 3, "bcd"},
    {"mid_start_zero", Cut::Mid, "abc", 0, 2, "ab"},
    {"mid_past_end", Cut::Mid, "abc", 3, 5, "c"},
    {"mid_start_after_end", Cut::Mid, "abc", 4, 1, ""},
    {"mid_negative_count", Cut::Mid, "abc", 2, -1, ""},
    {"mid_ideograph", Cut::Mid, "\xD6\xD0\xCE\xC4", 3, 2, "\xCE\xC4"},
};

class CutTextTest : public RuntimeFixture, public ::testing::WithParamInterface<CutRow> {};

TEST_P(CutTextTest, CutsBytes) {
  const CutRow& row = GetParam();
  rt::Text result = row.cut == Cut::Left    ? rt::left_text(row.text, row.count)
                    : row.cut == Cut::Right ? rt::right_text(row.text, row.count)
                                            : rt::mid_text(row.text, row.start, row.count);
  EXPECT_EQ(result.view(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CutTextTest, ::testing::ValuesIn(kCutRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RuntimeFixture, TextLengthCountsBytes) {
  EXPECT_EQ(rt::text_length(""), 0);
  EXPECT_EQ(rt::text_length(rt::TextView()), 0);
  EXPECT_EQ(rt::text_length("\xD6\xD0"
                            "a"),
            3);
}

TEST_F(RuntimeFixture, CharTextMakesOneByteOrNothing) {
  const std::pair<int32_t, std::string> rows[] = {
      {65, "A"}, {0xD6, "\xD6"}, {0, ""}, {256, ""}, {-1, ""}};
  for (const auto& [code, expected] : rows) {
    const rt::Text text = rt::char_text(code);
    EXPECT_EQ(text.view(), expected) << "code " << code;
    // The empty text is still a block: callers pass it to DLL functions as "".
    EXPECT_NE(text.data(), nullptr) << "code " << code;
  }
}

struct CaseRow {
  const char* text;
  const char* upper;
  const char* lower;
};

class CaseTest : public RuntimeFixture, public ::testing::WithParamInterface<CaseRow> {};

TEST_P(CaseTest, ChangesSingleByteLettersOnly) {
  EXPECT_EQ(rt::to_upper(GetParam().text).view(), GetParam().upper);
  EXPECT_EQ(rt::to_lower(GetParam().text).view(), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaseTest,
    ::testing::Values(CaseRow{"Http://A.b/Z?q=1", "HTTP://A.B/Z?Q=1", "http://a.b/z?q=1"},
                      CaseRow{"\x81\x61x\x81\x41", "\x81\x61X\x81\x41", "\x81\x61x\x81\x41"},
                      CaseRow{"\xD6\xD0z", "\xD6\xD0Z", "\xD6\xD0z"},
                      // A lead byte at the end has no partner: the letter before it changes.
                      CaseRow{"a\x81", "A\x81", "a\x81"},
                      // A lead byte before a space stands alone; the letter after changes.
                      CaseRow{"\x81 b", "\x81 B", "\x81 b"}, CaseRow{"", "", ""}));

}  // namespace
