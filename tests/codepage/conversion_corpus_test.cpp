// MultiByteToWideChar and WideCharToMultiByte against ICU's one-call API on a
// mixed corpus: the size query gives what the conversion writes, a
// conversion after a size query and one without give the same units, and
// one unit too few is refused.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/codepage.h"
#include "tests/codepage/icu_reference.h"

namespace {

const char* icu_name(UINT code_page) {
  switch (code_page) {
    case 936:
      return "windows-936-2000";
    case 950:
      return "windows-950-2000";
    default:
      return "UTF-8";
  }
}

// Repeats `piece` past `bytes`, so conversions cross the functions' internal chunks.
template <typename String>
String repeated(const String& piece, size_t bytes) {
  String out;
  while (out.size() * sizeof(typename String::value_type) < bytes) {
    out += piece;
  }
  return out;
}

const std::string kGbkMix =
    "plain ASCII 123 \xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1 \x80 \xA1\xF6 end";  // 友情提醒, euro, ○
const std::string kUtf8Mix =
    "a\xE5\x8F\x8B\xE6\x83\x85 \xF0\x9F\x98\x80 \xE2\x82\xAC \xE0\xB8\x81 z";  // 友情 😀 € ก

struct DecodeRow {
  const char* name;
  UINT code_page;
  std::string bytes;
};

class DecodesLikeIcu : public testing::TestWithParam<DecodeRow> {};

TEST_P(DecodesLikeIcu, SizesAndUnitsAgree) {
  const auto& row = GetParam();
  const auto expected = reference::decode(icu_name(row.code_page), row.bytes);
  const int length = static_cast<int>(row.bytes.size());
  const int size = static_cast<int>(expected.units.size());

  std::u16string direct(expected.units.size() + 8, u'#');
  ASSERT_EQ(MultiByteToWideChar(row.code_page, 0, row.bytes.data(), length, direct.data(),
                                static_cast<int>(direct.size())),
            size);
  EXPECT_EQ(direct.substr(0, expected.units.size()), expected.units);
  EXPECT_EQ(direct.substr(expected.units.size()), std::u16string(8, u'#'));

  ASSERT_EQ(MultiByteToWideChar(row.code_page, 0, row.bytes.data(), length, nullptr, 0), size);
  std::u16string after_query(expected.units.size(), u'#');
  ASSERT_EQ(
      MultiByteToWideChar(row.code_page, 0, row.bytes.data(), length, after_query.data(), size),
      size);
  EXPECT_EQ(after_query, expected.units);

  winapi::set_last_error(0);
  EXPECT_EQ(
      MultiByteToWideChar(row.code_page, 0, row.bytes.data(), length, direct.data(), size - 1), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER);

  winapi::set_last_error(0);
  const int strict = MultiByteToWideChar(row.code_page, MB_ERR_INVALID_CHARS, row.bytes.data(),
                                         length, direct.data(), static_cast<int>(direct.size()));
  EXPECT_EQ(strict, expected.valid ? size : 0);
  EXPECT_EQ(winapi::last_error(), expected.valid ? 0u : ERROR_NO_UNICODE_TRANSLATION);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, DecodesLikeIcu,
    testing::Values(DecodeRow{"gbk_ascii", 936, "action=sendfreecall&tel=13800138000"},
                    DecodeRow{"gbk_double_byte", 936, kGbkMix},
                    DecodeRow{"gbk_invalid_bytes", 936,
                              "a\xFF"
                              "b\x81\x20"
                              "c\x81\x7F"},
                    DecodeRow{"gbk_lead_byte_at_end", 936, "\xD3\xD1\xC7"},
                    DecodeRow{"gbk_long_mix", 936, repeated(kGbkMix + "\xFF", 9000)},
                    DecodeRow{"big5_text", 950, "\xB6\xC7\xB2\xCE \xB9\x71\xB8\xDC\xA1\x45"},
                    DecodeRow{"big5_invalid", 950, "\xB6\xC7\x80\xFF\xB6"},
                    DecodeRow{"utf8_mix", CP_UTF8, kUtf8Mix},
                    DecodeRow{"utf8_beyond_bmp", CP_UTF8, "\xF0\x9F\x98\x80\xF0\xA0\x80\x80"},
                    DecodeRow{"utf8_overlong_and_truncated", CP_UTF8, "\xC0\xAF x \xE4\xB8"},
                    DecodeRow{"utf8_encoded_surrogate", CP_UTF8, "\xED\xA0\x80 \xED\xBF\xBF"},
                    DecodeRow{"utf8_long_mix", CP_UTF8, repeated(kUtf8Mix + "\xFE", 9000)},
                    DecodeRow{"utf8_with_terminator", CP_UTF8, std::string("ab\0", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodeRow {
  const char* name;
  UINT code_page;
  std::u16string units;
  std::optional<std::string> default_char;  // as passed; the empty text means the zero byte
};

class EncodesLikeIcu : public testing::TestWithParam<EncodeRow> {};

TEST_P(EncodesLikeIcu, SizesAndBytesAgree) {
  const auto& row = GetParam();
  std::optional<std::string> substitute = row.default_char;
  if (substitute && substitute->empty()) {
    substitute = std::string(1, '\0');
  }
  const std::string expected = reference::encode(icu_name(row.code_page), row.units, substitute);
  const int length = static_cast<int>(row.units.size());
  const int size = static_cast<int>(expected.size());
  const char* default_char = row.default_char ? row.default_char->c_str() : nullptr;

  std::string direct(expected.size() + 8, '#');
  ASSERT_EQ(WideCharToMultiByte(row.code_page, 0, row.units.data(), length, direct.data(),
                                static_cast<int>(direct.size()), default_char, nullptr),
            size);
  EXPECT_EQ(direct.substr(0, expected.size()), expected);
  EXPECT_EQ(direct.substr(expected.size()), std::string(8, '#'));

  ASSERT_EQ(WideCharToMultiByte(row.code_page, 0, row.units.data(), length, nullptr, 0,
                                default_char, nullptr),
            size);
  // The program passes a buffer larger than the size it was told.
  std::string after_query(2 * expected.size(), '#');
  ASSERT_EQ(WideCharToMultiByte(row.code_page, 0, row.units.data(), length, after_query.data(),
                                static_cast<int>(after_query.size()), default_char, nullptr),
            size);
  EXPECT_EQ(after_query.substr(0, expected.size()), expected);

  winapi::set_last_error(0);
  EXPECT_EQ(WideCharToMultiByte(row.code_page, 0, row.units.data(), length, direct.data(), size - 1,
                                default_char, nullptr),
            0);
  EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER);
}

const std::u16string kUnitMix = u"ascii \u53CB\u60C5 \u20AC \u0E01 \U0001F600 \xD800 x \xDC00 end";

INSTANTIATE_TEST_SUITE_P(
    Corpus, EncodesLikeIcu,
    testing::Values(EncodeRow{"gbk_mix", 936, kUnitMix, std::nullopt},
                    EncodeRow{"gbk_zero_byte_default", 936, kUnitMix, ""},
                    EncodeRow{"gbk_double_byte_default", 936, kUnitMix, "\xA1\xF6"},
                    EncodeRow{"gbk_long_mix", 936, repeated(kUnitMix, 9000), "*"},
                    EncodeRow{"big5_mix", 950, kUnitMix + u"\u50B3\u7D71", std::nullopt},
                    EncodeRow{"utf8_mix", CP_UTF8, kUnitMix, std::nullopt},
                    EncodeRow{"utf8_surrogate_at_end", CP_UTF8, u"ab\xD83D", std::nullopt},
                    EncodeRow{"utf8_long_mix", CP_UTF8, repeated(kUnitMix, 9000), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SizeQuery, SourceChangedBeforeTheConversionIsConvertedAfresh) {
  std::string text = "\xD3\xD1\xC7\xE9";  // 友情
  ASSERT_EQ(MultiByteToWideChar(936, 0, text.data(), 4, nullptr, 0), 2);
  text = "\xCC\xE1\xD0\xD1";  // 提醒, same length, same address
  char16_t out[2];
  ASSERT_EQ(MultiByteToWideChar(936, 0, text.data(), 4, out, 2), 2);
  EXPECT_EQ(std::u16string(out, 2), u"\u63D0\u9192");
}

TEST(SizeQuery, ArgumentsChangedBeforeTheConversionAreHonoured) {
  const char16_t units[] = u"a\u0E01";
  ASSERT_EQ(WideCharToMultiByte(936, 0, units, 2, nullptr, 0, "*", nullptr), 2);
  char out[4] = {};
  BOOL used = 0;
  ASSERT_EQ(WideCharToMultiByte(936, 0, units, 2, out, 4, "#", &used), 2);
  EXPECT_EQ(std::string(out, 2), "a#");
  EXPECT_EQ(used, 1);
  // A refusing conversion after a lenient size query still refuses.
  const char bad[] = "a\xFF";
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, bad, 2, nullptr, 0), 2);
  char16_t wide[2];
  winapi::set_last_error(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, 2, wide, 2), 0);
  EXPECT_EQ(winapi::last_error(), ERROR_NO_UNICODE_TRANSLATION);
}

}  // namespace
