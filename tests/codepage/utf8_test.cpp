// UTF-8 against ICU: every shape a sequence can take, well formed or not,
// alone and across the decoder's sixteen-byte blocks; long random texts
// through the block decoder, whole and with one byte broken; every UTF-16
// unit and random unit strings through the encoder.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/codepage.h"
#include "tests/codepage/icu_reference.h"

namespace {

struct Decoding {
  std::u16string units;
  bool refused = false;  // with MB_ERR_INVALID_CHARS
};

// The size query, the conversion into that size, and the refusing form.
Decoding decode(const std::string& bytes) {
  if (bytes.empty()) {
    return {};  // no text to convert: the functions refuse a zero length
  }
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0);
  Decoding result;
  result.units.assign(static_cast<size_t>(size), u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, result.units.data(), size), size);
  std::u16string strict(static_cast<size_t>(size), u'#');
  result.refused = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length,
                                       strict.data(), size) == 0;
  return result;
}

std::vector<std::string> sequence_shapes() {
  std::vector<std::string> shapes;
  const auto byte = [](unsigned b) { return static_cast<char>(b); };
  for (unsigned b0 = 0; b0 < 256; ++b0) {
    shapes.emplace_back(1, byte(b0));
  }
  for (unsigned b0 = 0x80; b0 < 256; ++b0) {
    for (unsigned b1 = 0; b1 < 256; ++b1) {
      shapes.push_back({byte(b0), byte(b1)});
    }
  }
  const unsigned thirds[] = {0x00, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xE4, 0xFF};
  for (unsigned b0 = 0xE0; b0 <= 0xEF; ++b0) {
    for (unsigned b1 = 0; b1 < 256; ++b1) {
      for (unsigned b2 : thirds) {
        shapes.push_back({byte(b0), byte(b1), byte(b2)});
      }
    }
  }
  const unsigned lasts[] = {0x41, 0x80, 0xBF};
  for (unsigned b0 = 0xF0; b0 < 256; ++b0) {
    for (unsigned b1 = 0; b1 < 256; ++b1) {
      for (unsigned b2 : lasts) {
        for (unsigned b3 : lasts) {
          shapes.push_back({byte(b0), byte(b1), byte(b2), byte(b3)});
        }
      }
    }
  }
  return shapes;
}

TEST(Utf8Decoding, EverySequenceShapeLikeIcu) {
  reference::Codec icu("UTF-8");
  const std::string before(14, 'x');  // puts the shape across a block boundary
  const std::string after(24, 'y');
  for (const std::string& shape : sequence_shapes()) {
    for (const std::string& text : {shape, before + shape + after}) {
      const auto expected = icu.decode(text);
      const Decoding ours = decode(text);
      ASSERT_EQ(ours.units, expected.units) << testing::PrintToString(text);
      ASSERT_EQ(ours.refused, !expected.valid) << testing::PrintToString(text);
    }
  }
}

// Random text of ASCII runs and characters of two, three and four bytes.
std::u16string random_text(std::mt19937& random, size_t characters) {
  std::u16string units;
  for (size_t i = 0; i < characters; ++i) {
    switch (random() % 5) {
      case 0:
        units.append(random() % 20, static_cast<char16_t>(0x20 + random() % 0x5F));
        break;
      case 1:
        units += static_cast<char16_t>(0x80 + random() % 0x780);
        break;
      case 2:
        units += static_cast<char16_t>(0x4E00 + random() % 0x5000);
        break;
      case 3:
        units += static_cast<char16_t>(0xE000 + random() % 0x2000);
        break;
      default: {
        const char32_t c = 0x10000 + random() % 0x100000;
        units += static_cast<char16_t>(0xD7C0 + (c >> 10));
        units += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
      }
    }
  }
  return units;
}

TEST(Utf8Decoding, RandomTextsWholeCutAndBroken) {
  reference::Codec icu("UTF-8");
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    const std::u16string units = random_text(random, random() % 400);
    const std::string text = icu.encode(units);
    const Decoding whole = decode(text);
    ASSERT_EQ(whole.units, units) << "round " << round;
    ASSERT_FALSE(whole.refused);
    if (units.size() >= 2) {
      // One unit too few: refused, and nothing written past the target.
      std::u16string short_target(units.size(), u'#');
      const int room = static_cast<int>(units.size()) - 1;
      winapi::set_last_error(0);
      ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    short_target.data(), room),
                0);
      EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER);
      EXPECT_EQ(short_target.back(), u'#');
    }
    if (!text.empty()) {
      std::string broken = text;
      broken[random() % broken.size()] = static_cast<char>(0x80 + random() % 0x80);
      const auto expected = icu.decode(broken);
      const Decoding ours = decode(broken);
      ASSERT_EQ(ours.units, expected.units) << "round " << round;
      ASSERT_EQ(ours.refused, !expected.valid) << "round " << round;
      // A target with room to spare keeps what lies past the result.
      std::u16string roomy(expected.units.size() + 8, u'#');
      ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, broken.data(), static_cast<int>(broken.size()),
                                    roomy.data(), static_cast<int>(roomy.size())),
                static_cast<int>(expected.units.size()));
      EXPECT_EQ(roomy.substr(expected.units.size()), std::u16string(8, u'#'));
    }
  }
}

std::string encode(std::u16string_view units, DWORD flags) {
  const int length = static_cast<int>(units.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, flags, units.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '#');
  const int written = WideCharToMultiByte(CP_UTF8, flags, units.data(), length, bytes.data(), size,
                                          nullptr, nullptr);
  EXPECT_EQ(written, size);
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}

TEST(Utf8Encoding, EveryUnitLikeIcu) {
  reference::Codec icu("UTF-8");
  for (unsigned u = 0; u < 0x10000; ++u) {
    const std::u16string unit(1, static_cast<char16_t>(u));
    ASSERT_EQ(encode(unit, 0), icu.encode(unit)) << "unit " << u;
    const bool surrogate = u >= 0xD800 && u <= 0xDFFF;
    ASSERT_EQ(encode(unit, WC_ERR_INVALID_CHARS).empty(), surrogate) << "unit " << u;
  }
}

TEST(Utf8Encoding, RandomUnitsWithStraySurrogatesLikeIcu) {
  reference::Codec icu("UTF-8");
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::u16string units = random_text(random, random() % 200);
    for (int k = 0; k < 3 && !units.empty(); ++k) {
      units[random() % units.size()] = static_cast<char16_t>(0xD800 + random() % 0x800);
    }
    ASSERT_EQ(encode(units, 0), icu.encode(units)) << "round " << round;
  }
}

}  // namespace
