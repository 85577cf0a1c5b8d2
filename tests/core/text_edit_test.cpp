// Trimming, replacing, comparing, splitting and the conversions between texts
// and numbers. "\xA1\xA1" is the ideographic space, "\xB0\xA1" an ideograph
// whose second byte is A1.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "runtime/core_commands.h"
#include "tests/support/runtime_fixture.h"

namespace {

using test_support::RuntimeFixture;

struct BlankRow {
  const char* text;
  const char* trimmed;
  const char* removed;
};

class BlankTest : public RuntimeFixture, public ::testing::WithParamInterface<BlankRow> {};

TEST_P(BlankTest, TrimsAndRemovesWholeBlanks) {
  EXPECT_EQ(rt::trim_spaces(GetParam().text).view(), GetParam().trimmed);
  EXPECT_EQ(rt::remove_spaces(GetParam().text).view(), GetParam().removed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BlankTest,
    ::testing::Values(BlankRow{"  a b  ", "a b", "ab"},
                      BlankRow{"\t\r\n13800138000\r\n", "13800138000", "13800138000"},
                      BlankRow{"\xA1\xA1x\xA1\xA1", "x", "x"}, BlankRow{"   ", "", ""},
                      BlankRow{"", "", ""},
                      // B0 A1 | A1 A1: the bytes A1 A1 straddling the two characters are no space.
                      BlankRow{"\xB0\xA1\xA1\xA1", "\xB0\xA1", "\xB0\xA1"},
                      BlankRow{" \xB0\xA1 ", "\xB0\xA1", "\xB0\xA1"}));

struct ReplaceRangeRow {
  const char* text;
  int32_t start;
  int32_t count;
  const char* replacement;
  const char* expected;
};

class ReplaceRangeTest : public RuntimeFixture,
                         public ::testing::WithParamInterface<ReplaceRangeRow> {};

TEST_P(ReplaceRangeTest, ReplacesClampedRange) {
  const ReplaceRangeRow& row = GetParam();
  EXPECT_EQ(rt::replace_range(row.text, row.start, row.count, row.replacement).view(),
            row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReplaceRangeTest,
                         ::testing::Values(ReplaceRangeRow{"Set-Cookie: sid=42; path=/", 1, 12, "",
                                                           "sid=42; path=/"},
                                           ReplaceRangeRow{"abc", 2, 1, "XY", "aXYc"},
                                           ReplaceRangeRow{"abc", 0, 1, "", "bc"},
                                           ReplaceRangeRow{"abc", 4, 0, "d", "abcd"},
                                           ReplaceRangeRow{"abc", 9, 1, "d", "abcd"},
                                           ReplaceRangeRow{"abc", 2, -1, "X", "aXbc"},
                                           ReplaceRangeRow{"abc", 2, 9, "", "a"}));

TEST_F(RuntimeFixture, ReplaceRangeOmittedReplacementRemoves) {
  EXPECT_EQ(rt::replace_range("abcdef", 2, 2).view(), "adef");
}

struct ReplaceAllRow {
  const char* text;
  const char* sought;
  const char* replacement;
  const char* expected;
};

class ReplaceAllTest : public RuntimeFixture,
                       public ::testing::WithParamInterface<ReplaceAllRow> {};

TEST_P(ReplaceAllTest, ReplacesEveryOccurrence) {
  const ReplaceAllRow& row = GetParam();
  EXPECT_EQ(rt::replace_all(row.text, row.sought, row.replacement).view(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplaceAllTest,
    ::testing::Values(ReplaceAllRow{"https://a/http://b", "http://", "", "https://a/b"},
                      ReplaceAllRow{"aaa", "aa", "b", "ba"}, ReplaceAllRow{"abc", "", "x", "abc"},
                      ReplaceAllRow{"ABab", "ab", "x", "ABx"},
                      ReplaceAllRow{"a.b.c", ".", "..", "a..b..c"},
                      ReplaceAllRow{"\x81\x41"
                                    "B",
                                    "AB", "x",
                                    "\x81\x41"
                                    "B"},
                      ReplaceAllRow{"", "a", "b", ""}));

TEST_F(RuntimeFixture, BlankTextHasSpacesAndTerminator) {
  const rt::Text blank = rt::blank_text(5);
  ASSERT_NE(blank.data(), nullptr);
  EXPECT_EQ(std::string(blank.data(), 6), std::string("     \0", 6));
  EXPECT_EQ(rt::blank_text(0).view(), "");
  EXPECT_EQ(rt::blank_text(-4).view(), "");
}

struct CompareRow {
  const char* a;
  const char* b;
  bool case_matters;
  int32_t expected;
};

class CompareTextTest : public RuntimeFixture, public ::testing::WithParamInterface<CompareRow> {};

TEST_P(CompareTextTest, OrdersBytes) {
  const CompareRow& row = GetParam();
  EXPECT_EQ(rt::compare_text(row.a, row.b, row.case_matters), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CompareTextTest,
                         ::testing::Values(CompareRow{"http://", "http://", false, 0},
                                           CompareRow{"HTTP://", "http://", false, 0},
                                           CompareRow{"HTTP://", "http://", true, -1},
                                           CompareRow{"b", "a", false, 1},
                                           CompareRow{"ab", "abc", false, -1},
                                           CompareRow{"", "", true, 0},
                                           CompareRow{"\x81\x41", "\x81\x61", false, -1}));

struct SplitRow {
  const char* text;
  const char* delimiter;
  std::vector<std::string> pieces;
};

class SplitTextTest : public RuntimeFixture, public ::testing::WithParamInterface<SplitRow> {};

TEST_P(SplitTextTest, KeepsPiecesInOrder) {
  const rt::TextArray pieces = rt::split_text(GetParam().text, GetParam().delimiter);
  std::vector<std::string> got;
  for (size_t i = 0; i < pieces.size(); ++i) {
    got.emplace_back(pieces[i].view());
  }
  EXPECT_EQ(got, GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Rows, SplitTextTest,
                         ::testing::Values(SplitRow{"a,b,c", ",", {"a", "b", "c"}},
                                           SplitRow{"a,,b,", ",", {"a", "", "b", ""}},
                                           SplitRow{"", ",", {}}, SplitRow{"abc", "", {"abc"}},
                                           SplitRow{",", ",", {"", ""}},
                                           SplitRow{"x giving&hash=T1', y giving&hash=T2',",
                                                    "giving&hash=",
                                                    {"x ", "T1', y ", "T2',"}},
                                           SplitRow{"\x81\x41xAy", "A", {"\x81\x41x", "y"}}));

struct NumberRow {
  const char* text;
  double expected;
};

class TextToNumberTest : public RuntimeFixture, public ::testing::WithParamInterface<NumberRow> {};

TEST_P(TextToNumberTest, ReadsLeadingDecimal) {
  EXPECT_EQ(rt::text_to_number(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rows, TextToNumberTest,
                         ::testing::Values(NumberRow{"12.5", 12.5}, NumberRow{"", 0},
                                           NumberRow{"abc", 0}, NumberRow{"  -3", -3},
                                           NumberRow{"+7.25x", 7.25}, NumberRow{"8080/", 8080},
                                           NumberRow{".5", 0.5}, NumberRow{"1e3", 1},
                                           NumberRow{"inf", 0}, NumberRow{"nan", 0},
                                           NumberRow{"--1", 0}, NumberRow{"-", 0}));

TEST_F(RuntimeFixture, TextToNumberBeyondDoubleRange) {
  EXPECT_EQ(rt::text_to_number(("1" + std::string(400, '0')).c_str()),
            std::numeric_limits<double>::infinity());
  EXPECT_EQ(rt::text_to_number(("0." + std::string(400, '0') + "1").c_str()), 0.0);
}

TEST_F(RuntimeFixture, ToTextConvertsEachKind) {
  EXPECT_EQ(rt::to_text(0).view(), "0");
  EXPECT_EQ(rt::to_text(-2147483647 - 1).view(), "-2147483648");
  EXPECT_EQ(rt::to_text("\xD6\xD0").view(), "\xD6\xD0");
  const uint8_t block[] = {1, 0, 0, 0, 5, 0, 0, 0, 'a', 'b', 0, 'c', 'd'};
  EXPECT_EQ(rt::to_text(rt::BytesView(block)).view(), "ab");
  EXPECT_EQ(rt::to_text(rt::BytesView()).view(), "");
}

}  // namespace
