// LCMapStringA over every character of GBK and Big5, in both directions,
// against each character decoded, transliterated on its own and encoded back
// by ICU here in the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winapi/codepage/codepage.h"
#include "tests/codepage/icu_reference.h"

namespace {

struct Repertoire {
  std::string text;      // every character of the code page, one after another
  std::string expected;  // each mapped on its own
  std::vector<std::string> codes;
};

// A code is a character when ICU decodes it cleanly to exactly one code point.
bool is_character(const char* converter, const std::string& code, std::u16string& units) {
  const auto decoded = reference::decode(converter, code);
  if (!decoded.valid || decoded.units.empty()) {
    return false;
  }
  units = decoded.units;
  const bool pair = units.size() == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF;
  return units.size() == 1 || pair;
}

Repertoire repertoire(const char* converter, const char* transform) {
  Repertoire r;
  const auto add = [&](const std::string& code, const std::u16string& units) {
    r.text += code;
    r.expected += reference::encode(converter, reference::transliterate_each(transform, units));
    r.codes.push_back(code);
  };
  std::u16string units;
  for (int lead = 0; lead < 256; ++lead) {
    const std::string single(1, static_cast<char>(lead));
    if (is_character(converter, single, units)) {
      add(single, units);
      continue;
    }
    for (int trail = 0x40; trail < 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      if (is_character(converter, pair, units)) {
        add(pair, units);
      }
    }
  }
  return r;
}

struct Direction {
  const char* name;
  LCID locale;
  const char* converter;
  DWORD flag;
  const char* transform;
  size_t at_least;  // characters the code page has at least
};

class MapsTheWholeRepertoire : public testing::TestWithParam<Direction> {};

TEST_P(MapsTheWholeRepertoire, LikeTheTransliteratorCharacterByCharacter) {
  const auto& row = GetParam();
  const Repertoire r = repertoire(row.converter, row.transform);
  ASSERT_GE(r.codes.size(), row.at_least);
  const int length = static_cast<int>(r.text.size());
  const int size = LCMapStringA(row.locale, row.flag, r.text.data(), length, nullptr, 0);
  ASSERT_EQ(size, static_cast<int>(r.expected.size()));
  std::string mapped(r.expected.size(), '#');
  ASSERT_EQ(LCMapStringA(row.locale, row.flag, r.text.data(), length, mapped.data(), size), size);
  if (mapped == r.expected) {
    return;
  }
  // Name the first character that differs.
  for (const std::string& code : r.codes) {
    char out[8] = {};
    const int n = LCMapStringA(row.locale, row.flag, code.data(), static_cast<int>(code.size()),
                               out, sizeof out);
    std::u16string units;
    is_character(row.converter, code, units);
    const std::string want =
        reference::encode(row.converter, reference::transliterate_each(row.transform, units));
    ASSERT_EQ(std::string(out, static_cast<size_t>(n > 0 ? n : 0)), want)
        << "code " << testing::PrintToString(code);
  }
  FAIL() << "the whole text differs, each character alone does not";
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, MapsTheWholeRepertoire,
    testing::Values(Direction{"gbk_to_simplified", 0x0804, "windows-936-2000",
                              LCMAP_SIMPLIFIED_CHINESE, "Traditional-Simplified", 21000},
                    Direction{"gbk_to_traditional", 0x0804, "windows-936-2000",
                              LCMAP_TRADITIONAL_CHINESE, "Simplified-Traditional", 21000},
                    Direction{"big5_to_simplified", 0x0404, "windows-950-2000",
                              LCMAP_SIMPLIFIED_CHINESE, "Traditional-Simplified", 13000},
                    Direction{"big5_to_traditional", 0x0404, "windows-950-2000",
                              LCMAP_TRADITIONAL_CHINESE, "Simplified-Traditional", 13000}),
    [](const auto& info) { return std::string(info.param.name); });

struct BrokenText {
  const char* name;
  std::string gbk;
};

class MapsBrokenText : public testing::TestWithParam<BrokenText> {};

// Bytes that are no character are replaced as a decoding replaces them, and
// the characters around them are still mapped.
TEST_P(MapsBrokenText, LikeDecodeMapEncode) {
  const auto& row = GetParam();
  const auto decoded = reference::decode("windows-936-2000", row.gbk);
  const std::string expected = reference::encode(
      "windows-936-2000", reference::transliterate_each("Traditional-Simplified", decoded.units));
  const int length = static_cast<int>(row.gbk.size());
  ASSERT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, row.gbk.data(), length, nullptr, 0),
            static_cast<int>(expected.size()));
  std::string out(expected.size(), '#');
  ASSERT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, row.gbk.data(), length, out.data(),
                         static_cast<int>(out.size())),
            static_cast<int>(expected.size()));
  EXPECT_EQ(out, expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, MapsBrokenText,
                         testing::Values(BrokenText{"invalid_byte_between", "\x82\xF7\xFF\xBD\x79"},
                                         BrokenText{"lead_byte_at_end", "\x82\xF7\xBD\x79\x82"},
                                         BrokenText{"lead_before_ascii", "\x82\x20\x82\xF7"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
