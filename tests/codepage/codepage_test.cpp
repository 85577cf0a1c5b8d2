#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/codepage.h"
#include "platform/winapi/codepage/codepage_exports.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytes_of(const char* text, int length) {
  return Bytes(reinterpret_cast<const unsigned char*>(text),
               reinterpret_cast<const unsigned char*>(text) + length);
}

// Runs the program's two-step pattern: ask for the size, then convert into it.
std::u16string to_utf16(UINT code_page, const std::string& text) {
  const int n = MultiByteToWideChar(code_page, 0, text.c_str(), -1, nullptr, 0);
  EXPECT_GT(n, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  EXPECT_EQ(MultiByteToWideChar(code_page, 0, text.c_str(), -1, out.data(), n), n);
  return out;
}

std::string to_multibyte(UINT code_page, const std::u16string& units, LPCSTR default_char) {
  const int n = WideCharToMultiByte(code_page, 0, units.c_str(), static_cast<int>(units.size()),
                                    nullptr, 0, default_char, nullptr);
  EXPECT_GT(n, 0);
  std::string out(static_cast<size_t>(n), ' ');
  EXPECT_EQ(WideCharToMultiByte(code_page, 0, units.c_str(), static_cast<int>(units.size()),
                                out.data(), n, default_char, nullptr),
            n);
  return out.substr(0, out.find('\0'));
}

struct RoundTrip {
  const char* name;
  std::string utf8;
  std::string gbk;
};

class Utf8ToGbk : public testing::TestWithParam<RoundTrip> {};

TEST_P(Utf8ToGbk, ConvertsThroughUtf16) {
  const auto& row = GetParam();
  EXPECT_EQ(to_multibyte(936, to_utf16(CP_UTF8, row.utf8), nullptr), row.gbk);
  // Code page 0 is the program's ANSI code page, GBK.
  EXPECT_EQ(to_multibyte(CP_ACP, to_utf16(CP_UTF8, row.utf8), nullptr), row.gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Utf8ToGbk,
    testing::Values(RoundTrip{"reminder", "友情提醒", "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1"},
                    RoundTrip{"ascii", "action=sendfreecall&tel=1", "action=sendfreecall&tel=1"},
                    RoundTrip{"empty", "", ""}, RoundTrip{"euro_in_cp936", "\xE2\x82\xAC", "\x80"},
                    RoundTrip{"no_gbk_form_becomes_question_mark",
                              "a\xE0\xB8\x81"
                              "b",
                              "a?b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MultiByteToWideChar, AbcGivesEightBytesWithTerminator) {
  const std::u16string units = to_utf16(CP_UTF8, "abc");
  const Bytes expected{0x61, 0x00, 0x62, 0x00, 0x63, 0x00, 0x00, 0x00};
  EXPECT_EQ(
      bytes_of(reinterpret_cast<const char*>(units.data()), static_cast<int>(units.size() * 2)),
      expected);
}

TEST(MultiByteToWideChar, ExplicitLengthCountsNoTerminator) {
  char16_t out[8] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abcdef", 3, out, 8), 3);
  EXPECT_EQ(std::u16string(out), u"abc");
}

TEST(MultiByteToWideChar, InvalidUtf8IsReplacedOrRefused) {
  const char bad[] =
      "a\xFF"
      "b";
  char16_t out[8] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, bad, -1, out, 8), 4);
  EXPECT_EQ(std::u16string(out), u"a\uFFFDb");
  winapi::set_last_error(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, -1, out, 8), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_NO_UNICODE_TRANSLATION);
}

struct BadCall {
  const char* name;
  UINT code_page;
  DWORD flags;
  const char* source;
  int source_bytes;
  int target_units;
  bool null_target;
  DWORD error;
};

class MultiByteToWideCharRejects : public testing::TestWithParam<BadCall> {};

TEST_P(MultiByteToWideCharRejects, WithError) {
  const auto& row = GetParam();
  char16_t out[4] = {u'x', u'x', u'x', u'x'};
  winapi::set_last_error(0);
  EXPECT_EQ(MultiByteToWideChar(row.code_page, row.flags, row.source, row.source_bytes,
                                row.null_target ? nullptr : out, row.target_units),
            0);
  EXPECT_EQ(winapi::last_error(), row.error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MultiByteToWideCharRejects,
    testing::Values(
        BadCall{"too_small", CP_UTF8, 0, "abcd", -1, 4, false, ERROR_INSUFFICIENT_BUFFER},
        BadCall{"zero_source_length", CP_UTF8, 0, "abc", 0, 4, false, ERROR_INVALID_PARAMETER},
        BadCall{"null_source", CP_UTF8, 0, nullptr, -1, 4, false, ERROR_INVALID_PARAMETER},
        BadCall{"negative_target", CP_UTF8, 0, "abc", -1, -2, false, ERROR_INVALID_PARAMETER},
        BadCall{"null_target_with_size", CP_UTF8, 0, "abc", -1, 4, true, ERROR_INVALID_PARAMETER},
        BadCall{"unknown_code_page", 12345, 0, "abc", -1, 4, false, ERROR_INVALID_PARAMETER},
        BadCall{"precomposed_on_utf8", CP_UTF8, MB_PRECOMPOSED, "abc", -1, 4, false,
                ERROR_INVALID_FLAGS}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WideCharToMultiByte, SizeQueryIncludesTerminatorForMinusOne) {
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"友情", -1, nullptr, 0, nullptr, nullptr), 5);
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"友情", 2, nullptr, 0, nullptr, nullptr), 4);
}

TEST(WideCharToMultiByte, TooSmallBufferFailsWithoutOverrun) {
  char out[4] = {'#', '#', '#', '#'};
  winapi::set_last_error(0);
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"友情", -1, out, 3, nullptr, nullptr), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(out[3], '#');
}

struct DefaultCharRow {
  const char* name;
  std::u16string units;
  const char* default_char;
  std::string expected;
  BOOL used;
};

class DefaultCharacter : public testing::TestWithParam<DefaultCharRow> {};

TEST_P(DefaultCharacter, ReplacesWhatGbkCannotHold) {
  const auto& row = GetParam();
  char out[16] = {};
  BOOL used = -1;
  const int n =
      WideCharToMultiByte(936, 0, row.units.c_str(), -1, out, sizeof out, row.default_char, &used);
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)), row.expected);
  EXPECT_EQ(used, row.used);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultCharacter,
    testing::Values(
        DefaultCharRow{"empty_default_is_zero_byte", u"a\u0E01b", "", std::string("a\0b\0", 4), 1},
        DefaultCharRow{"given_default", u"a\u0E01b", "*", std::string("a*b\0", 4), 1},
        DefaultCharRow{"double_byte_default", u"\u0E01", "\xA1\xF6", std::string("\xA1\xF6\0", 3),
                       1},
        DefaultCharRow{"system_default", u"\U0001F600", nullptr, std::string("?\0", 2), 1},
        DefaultCharRow{"unpaired_surrogate", u"x\xD800", "_", std::string("x_\0", 3), 1},
        DefaultCharRow{"nothing_replaced", u"友", "", std::string("\xD3\xD1\0", 3), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WideCharToMultiByte, Utf8RefusesDefaultCharacterArguments) {
  char out[8];
  BOOL used = 0;
  winapi::set_last_error(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", -1, out, 8, nullptr, &used), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", -1, out, 8, "?", nullptr), 0);
  EXPECT_EQ(
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, u"a\xDC00", -1, out, 8, nullptr, nullptr),
      0);
  EXPECT_EQ(winapi::last_error(), ERROR_NO_UNICODE_TRANSLATION);
}

// Big5 -> UTF-16 -> GBK with an empty default character, as the program does it.
std::string big5_to_gbk(const std::string& big5) {
  const std::u16string units = to_utf16(950, big5);
  return to_multibyte(936, units, "");
}

std::string simplify(const std::string& gbk) {
  const int n = static_cast<int>(gbk.size());
  std::string out(gbk.size(), ' ');
  EXPECT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, gbk.data(), n, out.data(), n), n);
  return out.substr(0, out.find('\0'));
}

TEST(Big5ToSimplifiedGbk, TraditionalWordsBecomeSimplified) {
  // 傳統 電話號碼 in Big5 -> 传统 电话号码 in GBK.
  const std::string big5 = "\xB6\xC7\xB2\xCE \xB9\x71\xB8\xDC\xB8\xB9\xBD\x58";
  const std::string gbk = big5_to_gbk(big5);
  EXPECT_EQ(gbk, "\x82\xF7\xBD\x79 \xEB\x8A\xD4\x92\xCC\x96\xB4\x61");
  EXPECT_EQ(simplify(gbk), "\xB4\xAB\xCD\xB3 \xB5\xE7\xBB\xB0\xBA\xC5\xC2\xEB");
}

TEST(Big5ToSimplifiedGbk, CharacterGbkCannotHoldEndsTheText) {
  // Big5 A1 45 is U+2027, which GBK lacks; the empty default char makes it a zero byte.
  EXPECT_EQ(big5_to_gbk("\xA4\xA4\xA1\x45\xA4\xE5"), "\xD6\xD0");
}

TEST(LCMapStringA, CopiesWhatHasNoSimplifiedForm) {
  EXPECT_EQ(simplify("abc \xD6\xD0"), "abc \xD6\xD0");
}

TEST(LCMapStringA, SizeQueryAndTooSmallBuffer) {
  const char gbk[] = "\x82\xF7\xBD\x79";  // 傳統
  EXPECT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, gbk, -1, nullptr, 0), 5);
  char out[3];
  winapi::set_last_error(0);
  EXPECT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, gbk, 4, out, 3), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(LCMapStringA(0x0804, 0x100, gbk, 4, out, 3), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_INVALID_FLAGS);
  EXPECT_EQ(LCMapStringA(0x0409, LCMAP_SIMPLIFIED_CHINESE, gbk, 4, out, 3), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_INVALID_PARAMETER);
}

TEST(LCMapStringA, TraditionalDirection) {
  const char gbk[] = "\xB4\xAB\xCD\xB3";  // 传统
  char out[5] = {};
  EXPECT_EQ(LCMapStringA(0x0804, LCMAP_TRADITIONAL_CHINESE, gbk, 4, out, 4), 4);
  EXPECT_EQ(std::string(out, 4), "\x82\xF7\xBD\x79");
}

TEST(CodepageExports, CarryWindowsArgumentCounts) {
  const auto rows = codepage_exports();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_STREQ(rows[0].name, "MultiByteToWideChar");
  EXPECT_EQ(rows[0].words, 6u);
  EXPECT_STREQ(rows[1].name, "WideCharToMultiByte");
  EXPECT_EQ(rows[1].words, 8u);
  EXPECT_STREQ(rows[2].name, "LCMapStringA");
  EXPECT_EQ(rows[2].words, 6u);
  // A -1 length travels as a 64-bit word and still means "up to the terminator".
  const char text[] = "abc";
  const uint64_t words[] = {CP_UTF8, 0, reinterpret_cast<uintptr_t>(text), 0xFFFFFFFFFFFFFFFFull,
                            0,       0};
  EXPECT_EQ(rows[0].thunk(words), 4u);
}

}  // namespace
