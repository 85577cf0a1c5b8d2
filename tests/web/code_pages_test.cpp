#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "runtime/core_commands.h"
#include "tests/web/web_fixture.h"
#include "web/code_pages.h"

namespace {

using program::Dll;

std::string text_of(const rt::Text& text) {
  return std::string(text.view());
}

class CodePages : public web_test::WebFixture {
 protected:
  // A byte set holding `bytes`, made through the runtime so that it is freed there.
  static rt::Bytes byte_set(const std::string& bytes) {
    rt::Bytes set = rt::zero_bytes(static_cast<int32_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), set.data());
    return set;
  }
};

struct TextRow {
  const char* name;
  rt::Text (*convert)(rt::TextView);
  std::string input;
  std::string expected;
};

class TextConversions : public CodePages, public ::testing::WithParamInterface<TextRow> {};

TEST_P(TextConversions, GiveTheExpectedBytes) {
  const TextRow& row = GetParam();
  const rt::Text result = row.convert(row.input.c_str());
  EXPECT_EQ(text_of(result), row.expected);
}

const std::string kBig5Computer = "\xb9\x71\xb8\xa3\xb3\x6e\xc5\xe9";    // 電腦軟體
const std::string kGbkTraditional = "\xeb\x8a\xc4\x58\xdc\x9b\xf3\x77";  // 電腦軟體
const std::string kGbkSimplified = "\xb5\xe7\xc4\xd4\xc8\xed\xcc\xe5";   // 电脑软体

INSTANTIATE_TEST_SUITE_P(
    Rows, TextConversions,
    ::testing::Values(
        TextRow{"Utf8FriendlyReminder", web::ConvertUtf8ToGbk,
                "\xe5\x8f\x8b\xe6\x83\x85\xe6\x8f\x90\xe9\x86\x92",
                "\xd3\xd1\xc7\xe9\xcc\xe1\xd0\xd1"},
        TextRow{"Utf8Ascii", web::ConvertUtf8ToGbk, "action=balance&url=x 1.2",
                "action=balance&url=x 1.2"},
        TextRow{"Utf8Empty", web::ConvertUtf8ToGbk, "", ""},
        // A character GBK cannot hold becomes the code page's default character.
        TextRow{"Utf8BeyondGbk", web::ConvertUtf8ToGbk, "a\xf0\x9f\x98\x80z", "a?z"},
        TextRow{"Big5TraditionalToSimplifiedGbk", web::ConvertBig5ToSimplifiedGbk, kBig5Computer,
                kGbkSimplified},
        TextRow{"Big5AsciiUnchanged", web::ConvertBig5ToSimplifiedGbk, "tel=123", "tel=123"},
        TextRow{"Big5ToGbkKeepsTheTraditionalForms", web::Big5ToGbk, kBig5Computer,
                kGbkTraditional},
        // U+2027 has no GBK form: the result ends before it.
        TextRow{"Big5ToGbkEndsBeforeACharacterGbkCannotHold", web::Big5ToGbk,
                "AB\xa1\x45"
                "CD",
                "AB"},
        TextRow{"Big5Empty", web::Big5ToGbk, "", ""},
        TextRow{"TraditionalToSimplified", web::TraditionalToSimplified, kGbkTraditional,
                kGbkSimplified},
        TextRow{"TraditionalToSimplifiedKeepsOtherText", web::TraditionalToSimplified,
                "x=" + kGbkSimplified + "!", "x=" + kGbkSimplified + "!"},
        TextRow{"TraditionalToSimplifiedEmpty", web::TraditionalToSimplified, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CodePages, AbcBecomesEightUtf16Bytes) {
  const rt::Bytes units = web::MultiByteToUtf16("abc");
  EXPECT_EQ(bytes_of(units), std::string("a\0b\0c\0\0\0", 8));
  const auto calls = calls_of(Dll::MultiByteToWideChar);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].words[0], 65001u);  // left out: UTF-8
  EXPECT_EQ(calls[0].words[4], 0u);      // the size query passes no buffer
  EXPECT_EQ(calls[1].words[5], 4u);
}

TEST_F(CodePages, GbkToUtf16AndBack) {
  const rt::Bytes units = web::MultiByteToUtf16("\xd3\xd1\xc7\xe9", web::kCodePageGbk);
  EXPECT_EQ(bytes_of(units), std::string("\xcb\x53\xc5\x60\0\0", 6));  // U+53CB U+60C5
  const rt::Text back = web::Utf16ToMultiByte(units, web::kCodePageGbk);
  EXPECT_EQ(text_of(back), "\xd3\xd1\xc7\xe9");
  const auto to_multi = calls_of(Dll::WideCharToMultiByte);
  ASSERT_EQ(to_multi.size(), 2u);
  EXPECT_EQ(to_multi[1].words[5], 10u);  // 2n: n is 5 bytes with the terminator
  EXPECT_EQ(to_multi[1].words[6], 0u);   // no default character
}

TEST_F(CodePages, Utf16StopsAtTheFirstZeroUnit) {
  const rt::Bytes units = byte_set(std::string("h\0i\0\0\0x\0\0\0", 10));
  EXPECT_EQ(text_of(web::Utf16ToMultiByte(units, web::kCodePageUtf8)), "hi");
}

// A set without a zero unit is read no further than its end.
TEST_F(CodePages, Utf16WithoutTerminatorStaysInsideTheSet) {
  const rt::Bytes units = byte_set(std::string("o\0k\0!", 5));
  EXPECT_EQ(text_of(web::Utf16ToMultiByte(units, web::kCodePageUtf8)), "ok");
  EXPECT_TRUE(web::Utf16ToMultiByte(rt::BytesView(), web::kCodePageUtf8).empty());
}

TEST_F(CodePages, TheTwoDeclarationsOfWideCharToMultiByteAgree) {
  const rt::Text simplified = web::ConvertBig5ToSimplifiedGbk(kBig5Computer.c_str());
  const rt::Bytes units = web::MultiByteToUtf16(simplified, web::kCodePageGbk);
  EXPECT_EQ(text_of(web::Utf16ToMultiByte(units, web::kCodePageGbk)), kGbkSimplified);
  const auto with_default = calls_of(Dll::WideCharToMultiByteDefaultChar);
  ASSERT_EQ(with_default.size(), 2u);
  EXPECT_EQ(with_default[0].words[0], 936u);
  EXPECT_NE(with_default[0].words[6], 0u);  // the empty text as default character
  EXPECT_EQ(calls_of(Dll::LCMapStringA)[0].words[1], 0x02000000u);
}

}  // namespace
