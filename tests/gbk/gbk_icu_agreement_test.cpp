// The codec against ICU's windows-936-2000 converter called directly: every
// byte, every byte pair, every BMP unit and a mixed corpus must come out as
// ICU converts them, substitutions included.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gbk/gbk_codec.h"

namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};

class IcuGbk {
 public:
  IcuGbk() {
    UErrorCode status = U_ZERO_ERROR;
    c_.reset(ucnv_open("windows-936-2000", &status));
    ucnv_setSubstChars(c_.get(), "?", 1, &status);
    EXPECT_TRUE(U_SUCCESS(status));
  }

  std::u16string to_utf16(std::string_view bytes) {
    std::u16string out(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(c_.get());
    const int32_t n = ucnv_toUChars(c_.get(), out.data(), static_cast<int32_t>(out.size()),
                                    bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status));
    out.resize(static_cast<size_t>(n));
    return out;
  }

  std::string from_utf16(std::u16string_view text) {
    std::string out(text.size() * 2 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(c_.get());
    const int32_t n = ucnv_fromUChars(c_.get(), out.data(), static_cast<int32_t>(out.size()),
                                      text.data(), static_cast<int32_t>(text.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status));
    out.resize(static_cast<size_t>(n));
    return out;
  }

 private:
  std::unique_ptr<UConverter, ConverterCloser> c_;
};

std::string bytes(std::initializer_list<unsigned> values) {
  std::string out;
  for (const unsigned v : values) {
    out.push_back(static_cast<char>(v));
  }
  return out;
}

TEST(GbkCodec, KnownTextsBothWays) {
  struct Row {
    std::u16string text;
    std::string gbk;
  };
  const Row rows[] = {
      {u"", ""},
      {u"ABC 123", "ABC 123"},
      {u"中文", bytes({0xD6, 0xD0, 0xCE, 0xC4})},
      {u"岚音宝", bytes({0xE1, 0xB0, 0xD2, 0xF4, 0xB1, 0xA6})},
      {u"\u20AC", bytes({0x80})},  // the euro sign is one byte in code page 936
      {u"登录:a", bytes({0xB5, 0xC7, 0xC2, 0xBC, ':', 'a'})},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(gbk::to_utf16(row.gbk), row.text);
    EXPECT_EQ(gbk::from_utf16(row.text), row.gbk);
  }
  EXPECT_EQ(gbk::to_utf8(bytes({0xD6, 0xD0, 'x'})),
            "\xE4\xB8\xAD"
            "x");
  EXPECT_EQ(gbk::from_utf8("\xE4\xB8\xAD"
                           "x"),
            bytes({0xD6, 0xD0, 'x'}));
}

TEST(GbkCodec, EveryByteAndBytePairDecodesAsIcuDoes) {
  IcuGbk icu;
  for (unsigned first = 0; first < 0x100; ++first) {
    const std::string one = bytes({first});
    ASSERT_EQ(gbk::to_utf16(one), icu.to_utf16(one)) << "byte " << first;
    for (unsigned second = 0; second < 0x100; ++second) {
      const std::string two = bytes({first, second});
      ASSERT_EQ(gbk::to_utf16(two), icu.to_utf16(two)) << "bytes " << first << ' ' << second;
    }
  }
}

TEST(GbkCodec, EveryBmpUnitEncodesAsIcuDoes) {
  IcuGbk icu;
  for (unsigned unit = 0; unit < 0x10000; ++unit) {
    const std::u16string one(1, static_cast<char16_t>(unit));
    ASSERT_EQ(gbk::from_utf16(one), icu.from_utf16(one)) << "unit " << unit;
    // Between characters GBK holds, so a substitution lands mid-text.
    const std::u16string mid = u"中" + one + u"a";
    ASSERT_EQ(gbk::from_utf16(mid), icu.from_utf16(mid)) << "unit " << unit;
  }
}

TEST(GbkCodec, MixedTextsMatchIcu) {
  IcuGbk icu;
  const std::string decode_cases[] = {
      bytes({0xD6, 0xD0, 0xD6}),                  // a lead byte at the end
      bytes({0xD6, 'A', 0xD0, 0xCE, 0xC4}),       // a lead byte before ASCII
      bytes({'a', 0xFF, 'b', 0x80, 0xD6, 0xD0}),  // a byte that is no character
      bytes({0x81, 0x30, 0x81, 0x30}),            // a four-byte GB18030 form
      bytes({0xA1, 0x7F, 0xA1, 0xA1}),            // a trail byte out of range
  };
  for (const std::string& text : decode_cases) {
    EXPECT_EQ(gbk::to_utf16(text), icu.to_utf16(text));
  }
  const std::u16string encode_cases[] = {
      u"中\xD800文",    // a lone high surrogate
      u"a\xDC00",       // a lone low surrogate at the end
      u"\U0001F600中",  // a character beyond the BMP
      u"ṡ中文€",        // a character GBK lacks, then ones it holds
  };
  for (const std::u16string& text : encode_cases) {
    EXPECT_EQ(gbk::from_utf16(text), icu.from_utf16(text));
  }
}

}  // namespace
