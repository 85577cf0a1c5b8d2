// GBK and Big5 encoding of texts that mix the runs the encoder takes four
// and eight units at a time (ASCII, the CJK block) with units it takes one
// by one (other characters, ones the code page cannot hold, ones it drops,
// stray surrogates), at every offset: the size query, the bytes and what
// lies past them against ICU.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/winapi/codepage/codepage.h"
#include "tests/codepage/icu_reference.h"

namespace {

char16_t random_unit(std::mt19937& random) {
  switch (random() % 10) {
    case 0:
    case 1:
    case 2:
      return static_cast<char16_t>(0x20 + random() % 0x5F);
    case 3:
      return static_cast<char16_t>(0x80 + random() % 0x2000);  // Latin to symbols, held or not
    case 4: {
      const char16_t odd[] = {0x20AC, 0x200B, 0xFEFF, 0xE000, 0xD800, 0xDC00, 0x3000, 0xFF01};
      return odd[random() % (sizeof odd / sizeof odd[0])];
    }
    default:
      return static_cast<char16_t>(0x4E00 + random() % 0x51A6);  // the CJK block
  }
}

TEST(DbcsRuns, MixedUnitsLikeIcu) {
  std::mt19937 random(3);
  for (const auto& [code_page, converter] :
       {std::pair<UINT, const char*>{936, "windows-936-2000"}, {950, "windows-950-2000"}}) {
    reference::Codec icu(converter);
    for (int round = 0; round < 3000; ++round) {
      std::u16string units(1 + random() % 40, u' ');
      for (char16_t& u : units) {
        u = random_unit(random);
      }
      const std::string expected = icu.encode(units);
      const int length = static_cast<int>(units.size());
      const int size =
          WideCharToMultiByte(code_page, 0, units.data(), length, nullptr, 0, nullptr, nullptr);
      ASSERT_EQ(size, static_cast<int>(expected.size()));
      // Twice the size and more, as the program offers: nothing past the result changes.
      std::string roomy(2 * expected.size() + 8, '#');
      ASSERT_EQ(WideCharToMultiByte(code_page, 0, units.data(), length, roomy.data(),
                                    static_cast<int>(roomy.size()), nullptr, nullptr),
                size);
      ASSERT_EQ(roomy.substr(0, expected.size()), expected) << "round " << round;
      ASSERT_EQ(roomy.substr(expected.size()), std::string(expected.size() + 8, '#'));
    }
  }
}

}  // namespace
