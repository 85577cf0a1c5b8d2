// The double-byte code pages against ICU's converters over their whole
// range: every byte, every (lead, trail) pair, every UTF-16 unit and the
// surrogate cases one at a time, so a single wrong table entry shows.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>
#include <unicode/uset.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/winapi/base/last_error.h"
#include "platform/winapi/codepage/codepage.h"
#include "tests/codepage/icu_reference.h"

namespace {

struct CodePage {
  const char* name;
  UINT code_page;
  const char* converter;
};

class WholeCodePage : public testing::TestWithParam<CodePage> {};

// Decodes `bytes` as the program does: the size, then the units.
std::u16string decoded(UINT code_page, DWORD flags, const std::string& bytes, int& size) {
  const int length = static_cast<int>(bytes.size());
  size = MultiByteToWideChar(code_page, flags, bytes.data(), length, nullptr, 0);
  std::u16string units(8, u'#');
  const int written = MultiByteToWideChar(code_page, flags, bytes.data(), length, units.data(), 8);
  EXPECT_EQ(written, size);
  units.resize(static_cast<size_t>(written > 0 ? written : 0));
  return units;
}

TEST_P(WholeCodePage, EveryByteAndPairDecodesLikeIcu) {
  const auto& row = GetParam();
  reference::Codec icu(row.converter);
  for (unsigned lead = 0; lead < 256; ++lead) {
    const std::string single(1, static_cast<char>(lead));
    const auto alone = icu.decode(single);
    int size = 0;
    ASSERT_EQ(decoded(row.code_page, 0, single, size), alone.units) << "byte " << lead;
    ASSERT_EQ(decoded(row.code_page, MB_ERR_INVALID_CHARS, single, size).empty(), !alone.valid);
    for (unsigned trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const auto expected = icu.decode(pair);
      ASSERT_EQ(decoded(row.code_page, 0, pair, size), expected.units)
          << "bytes " << lead << " " << trail;
      ASSERT_EQ(size, static_cast<int>(expected.units.size()));
      winapi::set_last_error(0);
      const bool refused = decoded(row.code_page, MB_ERR_INVALID_CHARS, pair, size).empty();
      ASSERT_EQ(refused, !expected.valid) << "bytes " << lead << " " << trail;
      ASSERT_EQ(winapi::last_error(), expected.valid ? 0u : ERROR_NO_UNICODE_TRANSLATION);
    }
  }
}

std::string encoded(UINT code_page, std::u16string_view units, LPCSTR default_char, BOOL& used) {
  const int length = static_cast<int>(units.size());
  const int size =
      WideCharToMultiByte(code_page, 0, units.data(), length, nullptr, 0, default_char, nullptr);
  std::string bytes(16, '#');
  const int written = WideCharToMultiByte(code_page, 0, units.data(), length, bytes.data(), 16,
                                          default_char, &used);
  EXPECT_EQ(written, size);
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}

TEST_P(WholeCodePage, EveryUnitEncodesLikeIcu) {
  const auto& row = GetParam();
  reference::Codec icu(row.converter);
  for (unsigned u = 0; u < 0x10000; ++u) {
    const std::u16string unit(1, static_cast<char16_t>(u));
    const auto strict = icu.encode_strictly(unit);
    const std::string lenient = icu.encode(unit);
    // ICU drops the default-ignorable characters it cannot convert.
    const bool replaced = !strict && !lenient.empty();
    BOOL used = -1;
    ASSERT_EQ(encoded(row.code_page, unit, nullptr, used), lenient) << "unit " << u;
    ASSERT_EQ(used, replaced ? 1 : 0) << "unit " << u;
    ASSERT_EQ(encoded(row.code_page, unit, "\xA1\xF6", used), replaced ? "\xA1\xF6" : lenient)
        << "unit " << u;
  }
}

// A surrogate pair is one character, which neither code page holds; a lone
// surrogate is none. Each is replaced once.
TEST_P(WholeCodePage, SurrogatesAreReplacedOncePerCharacter) {
  const auto& row = GetParam();
  reference::Codec icu(row.converter);
  const std::u16string cases[] = {
      u"\xD83D\xDE00",       u"a\xD83D",      u"\xDE00z", u"\xD83D\xD83D\xDE00",
      u"\xDBFF\xDFFF\xDC00", u"\xD800x\xDC00"};
  for (const std::u16string& units : cases) {
    BOOL used = 0;
    EXPECT_EQ(encoded(row.code_page, units, nullptr, used), icu.encode(units));
    EXPECT_EQ(used, 1);
  }
}

// What the tables rely on: no character of the code page beyond the BMP.
TEST_P(WholeCodePage, HoldsNoCharacterBeyondTheBmp) {
  const auto& row = GetParam();
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
      ucnv_open(row.converter, &status), &ucnv_close);
  const std::unique_ptr<USet, decltype(&uset_close)> set(uset_openEmpty(), &uset_close);
  ucnv_getUnicodeSet(converter.get(), set.get(), UCNV_ROUNDTRIP_AND_FALLBACK_SET, &status);
  ASSERT_TRUE(U_SUCCESS(status));
  EXPECT_GT(uset_size(set.get()), 10000);
  UChar32 last = 0;
  for (int32_t i = 0; i < uset_getItemCount(set.get()); ++i) {
    UChar32 start = 0;
    UChar32 end = 0;
    if (uset_getItem(set.get(), i, &start, &end, nullptr, 0, &status) == 0) {
      last = std::max(last, end);
    }
  }
  EXPECT_LT(last, 0x10000);
}

INSTANTIATE_TEST_SUITE_P(CodePages, WholeCodePage,
                         testing::Values(CodePage{"gbk", 936, "windows-936-2000"},
                                         CodePage{"big5", 950, "windows-950-2000"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
