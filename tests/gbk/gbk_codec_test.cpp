#include <gtest/gtest.h>

#include <string>

#include "platform/gbk/gbk_codec.h"

namespace {

struct Row {
  const char* what;
  std::string gbk;
  std::u16string utf16;
};

// GBK bytes and the characters they stand for, from the code page's table.
const Row kRows[] = {
    {"empty", "", u""},
    {"ASCII", "dial 15 min\\", u"dial 15 min\\"},
    {"program name", "\xE1\xB0\xD2\xF4\xB1\xA6", u"\u5C9A\u97F3\u5B9D"},
    {"mixed",
     "\xC3\xE2\xB7\xD1\xCD\xA8\xBB\xB0"
     "15\xB7\xD6\xD6\xD3",
     u"\u514D\u8D39\u901A\u8BDD"
     "15\u5206\u949F"},
    {"trail byte 0x5C", "\xD7\x5C", u"\u8B62"},
    {"punctuation", "\xA1\xA4\xA1\xAA", u"\u00B7\u2014"},
    {"euro sign, the single byte 0x80", "\x80", u"\u20AC"},
};

std::string utf8_of(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) {  // the rows hold no surrogate pairs
    if (unit < 0x80) {
      out += static_cast<char>(unit);
    } else if (unit < 0x800) {
      out += static_cast<char>(0xC0 | (unit >> 6));
      out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (unit >> 12));
      out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return out;
}

class GbkCodec : public ::testing::TestWithParam<Row> {};

TEST_P(GbkCodec, ConvertsBothWaysInUtf16AndUtf8) {
  const Row& row = GetParam();
  EXPECT_EQ(gbk::to_utf16(row.gbk), row.utf16);
  EXPECT_EQ(gbk::from_utf16(row.utf16), row.gbk);
  EXPECT_EQ(gbk::to_utf8(row.gbk), utf8_of(row.utf16));
  EXPECT_EQ(gbk::from_utf8(utf8_of(row.utf16)), row.gbk);
}

INSTANTIATE_TEST_SUITE_P(Table, GbkCodec, ::testing::ValuesIn(kRows));

TEST(GbkCodec, WhatGbkCannotHoldBecomesAQuestionMarkWithoutLookAlikes) {
  // A grave and Thai ko kai have no GBK character; a best fit would give "A".
  EXPECT_EQ(gbk::from_utf16(u"a\u00C0\u0E01b"), "a??b");
  EXPECT_EQ(gbk::from_utf8("a\xC3\x80\xE0\xB8\x81"
                           "b"),
            "a??b");
}

}  // namespace
