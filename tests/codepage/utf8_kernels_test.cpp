// The UTF-8 kernels of each instruction set the processor has, against
// ICU on texts longer than the pieces they check and decode by: whole,
// cut short, and broken next to piece boundaries; targets exact, one unit
// short and roomy. And the same through MultiByteToWideChar.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/codepage.h"
#include "platform/winapi/codepage/processor_features.h"
#include "platform/winapi/codepage/utf8_kernels.h"
#include "tests/codepage/icu_reference.h"

namespace {

using winapi::codepage::kernels::kNotWellFormed;

struct Kernel {
  const char* name;
  bool supported;
  size_t (*length)(const unsigned char*, size_t);
  size_t (*decode)(const unsigned char*, size_t, char16_t*, size_t);
};

std::vector<Kernel> kernels() {
  namespace k = winapi::codepage::kernels;
  return {{"sse4.1", __builtin_cpu_supports("sse4.1") != 0, k::utf16_length_sse41,
           k::decode_if_well_formed_sse41},
          {"avx2", __builtin_cpu_supports("avx2") != 0, k::utf16_length_avx2,
           k::decode_if_well_formed_avx2}};
}

// Chinese text with ASCII runs, two-byte characters and now and then a
// character beyond the BMP, as UTF-16.
std::u16string mixed_text(std::mt19937& random, size_t units) {
  std::u16string text;
  while (text.size() < units) {
    const unsigned kind = random() % 16;
    if (kind < 9) {
      text += static_cast<char16_t>(0x4E00 + random() % 0x5000);
    } else if (kind < 13) {
      text.append(1 + random() % 6, static_cast<char16_t>(0x20 + random() % 0x5F));
    } else if (kind < 15) {
      text += static_cast<char16_t>(0x80 + random() % 0x780);
    } else {
      const char32_t c = 0x10000 + random() % 0x100000;
      text += static_cast<char16_t>(0xD7C0 + (c >> 10));
      text += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
  }
  return text;
}

const unsigned char* bytes_of(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

// Texts around two pieces long, and variants that break them where a piece
// ends, at random and at the end.
std::vector<std::string> texts(reference::Codec& icu) {
  std::mt19937 random(5);
  std::vector<std::string> result;
  for (int round = 0; round < 12; ++round) {
    const std::string whole = icu.encode(mixed_text(random, 12000 + random() % 4000));
    result.push_back(whole);
    result.push_back(whole.substr(0, whole.size() - 1 - random() % 3));
    for (size_t at : {size_t{16383}, size_t{16384}, size_t{16385}, random() % whole.size()}) {
      std::string broken = whole;
      broken[at % broken.size()] = static_cast<char>(0x80 + random() % 0x80);
      result.push_back(broken);
    }
  }
  return result;
}

// The library reads the processor itself; the compiler's check is the
// independent answer.
TEST(Utf8Kernels, ProcessorFeaturesAgreeWithTheCompilersCheck) {
  const winapi::codepage::ProcessorFeatures features = winapi::codepage::read_processor_features();
  EXPECT_EQ(features.sse41, __builtin_cpu_supports("sse4.1") != 0);
  EXPECT_EQ(features.avx2, __builtin_cpu_supports("avx2") != 0);
}

TEST(Utf8Kernels, MeasureAndDecodeLikeIcu) {
  reference::Codec icu("UTF-8");
  const std::vector<std::string> all = texts(icu);
  for (const Kernel& kernel : kernels()) {
    if (!kernel.supported) {
      continue;
    }
    SCOPED_TRACE(kernel.name);
    for (size_t t = 0; t < all.size(); ++t) {
      const std::string& text = all[t];
      const auto expected = icu.decode(text);
      const size_t units = expected.units.size();
      const size_t measured = kernel.length(bytes_of(text), text.size());
      const size_t want = expected.valid ? units : kNotWellFormed;
      ASSERT_EQ(measured, want) << "text " << t;
      std::u16string roomy(units + 8, u'#');
      const size_t written = kernel.decode(bytes_of(text), text.size(), roomy.data(), roomy.size());
      ASSERT_EQ(written, want) << "text " << t;
      if (!expected.valid) {
        continue;
      }
      EXPECT_EQ(roomy.substr(0, units), expected.units) << "text " << t;
      EXPECT_EQ(roomy.substr(units), std::u16string(8, u'#')) << "text " << t;
      std::u16string short_by_one(units - 1, u'#');
      EXPECT_EQ(kernel.decode(bytes_of(text), text.size(), short_by_one.data(), units - 1),
                kNotWellFormed)
          << "text " << t;
    }
  }
}

TEST(Utf8Kernels, ShortTextsAroundTheStepSizeLikeIcu) {
  reference::Codec icu("UTF-8");
  std::mt19937 random(9);
  for (const Kernel& kernel : kernels()) {
    if (!kernel.supported) {
      continue;
    }
    SCOPED_TRACE(kernel.name);
    for (int round = 0; round < 2000; ++round) {
      const std::string text = icu.encode(mixed_text(random, 1 + random() % 60));
      const auto expected = icu.decode(text);
      ASSERT_EQ(kernel.length(bytes_of(text), text.size()), expected.units.size());
      std::u16string out(expected.units.size(), u'#');
      ASSERT_EQ(kernel.decode(bytes_of(text), text.size(), out.data(), out.size()), out.size());
      ASSERT_EQ(out, expected.units) << testing::PrintToString(text);
    }
  }
}

TEST(Utf8ThroughTheFunction, LongTextsIntoExactShortAndRoomyTargets) {
  reference::Codec icu("UTF-8");
  for (const std::string& text : texts(icu)) {
    const auto expected = icu.decode(text);
    const int length = static_cast<int>(text.size());
    const int units = static_cast<int>(expected.units.size());
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0), units);
    std::u16string roomy(expected.units.size() + 8, u'#');
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, roomy.data(), units + 8), units);
    EXPECT_EQ(roomy.substr(0, expected.units.size()), expected.units);
    EXPECT_EQ(roomy.substr(expected.units.size()), std::u16string(8, u'#'));
    std::u16string short_target(expected.units.size(), u'#');
    winapi::set_last_error(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, short_target.data(), units - 1),
              0);
    EXPECT_EQ(winapi::last_error(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(short_target.back(), u'#');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, roomy.data(),
                                  units + 8) == 0,
              !expected.valid);
  }
}

}  // namespace
