// The program's own small routines over texts, byte sets, floats and arrays.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"
#include "tests/support/runtime_fixture.h"

namespace {

using test_support::RuntimeFixture;

TEST_F(RuntimeFixture, TextSizeAllowsNull) {
  EXPECT_EQ(rt::text_size(nullptr), 0u);
  EXPECT_EQ(rt::text_size(""), 0u);
  EXPECT_EQ(rt::text_size("\xD6\xD0"
                          "1"),
            3u);
}

TEST_F(RuntimeFixture, ConcatJoinsAndCountsNullAsEmpty) {
  const rt::Text owned = rt::to_text("&ip=");
  const rt::Text body =
      rt::concat({"action=balance&url=", rt::TextView(), "host", owned, "1.2.3.4"});
  EXPECT_EQ(body.view(), "action=balance&url=host&ip=1.2.3.4");
  const rt::Text nothing = rt::concat({});
  ASSERT_NE(nothing.data(), nullptr);
  EXPECT_EQ(nothing.view(), "");
}

struct CompareRow {
  const char* a;
  const char* b;
  int expected;
};

class CompareTextsTest : public ::testing::TestWithParam<CompareRow> {};

TEST_P(CompareTextsTest, GivesSignOnly) {
  EXPECT_EQ(rt::compare_texts(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CompareTextsTest,
                         ::testing::Values(CompareRow{"6", "6", 0}, CompareRow{nullptr, "", 0},
                                           CompareRow{"", nullptr, 0}, CompareRow{"a", nullptr, 1},
                                           CompareRow{nullptr, "a", -1},
                                           CompareRow{"ab", "abc", -1},
                                           CompareRow{"\xD6\xD0", "a", 1}));

TEST_F(RuntimeFixture, ConcatBytesOfEmptySetsIsNull) {
  static const uint32_t empty_constant[] = {1, 0};
  const rt::Bytes none = rt::concat_bytes({rt::BytesView(empty_constant), rt::BytesView()});
  EXPECT_EQ(none.block(), nullptr);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(rt::bytes_length(none), 0);
}

TEST_F(RuntimeFixture, ConcatBytesAppendsChunks) {
  rt::Bytes reply;
  for (const char* chunk : {"HTTP", "", "/1.1"}) {
    reply = rt::concat_bytes({reply, rt::text_to_bytes(chunk)});
  }
  uint32_t header[2];
  std::memcpy(header, reply.block(), sizeof header);
  EXPECT_EQ(header[0], 1u);
  EXPECT_EQ(header[1], 8u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.data()), reply.size()), "HTTP/1.1");
}

struct FloatRow {
  double value;
  int64_t expected;
};

class FloatToIntTest : public ::testing::TestWithParam<FloatRow> {};

TEST_P(FloatToIntTest, TruncatesTowardZero) {
  EXPECT_EQ(rt::float_to_int(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FloatToIntTest,
    ::testing::Values(FloatRow{2.9, 2}, FloatRow{-2.9, -2}, FloatRow{0.5, 0}, FloatRow{-0.0, 0},
                      FloatRow{8080.0, 8080}, FloatRow{4294967295.5, 4294967295},
                      FloatRow{std::nan(""), 0},
                      FloatRow{1e300, std::numeric_limits<int64_t>::max()},
                      FloatRow{-1e300, std::numeric_limits<int64_t>::min()},
                      FloatRow{-9223372036854775808.0, std::numeric_limits<int64_t>::min()}));

struct CountRow {
  std::vector<uint32_t> words;
  size_t expected;
};

class ElementCountTest : public ::testing::TestWithParam<CountRow> {};

TEST_P(ElementCountTest, MultipliesDimensionSizes) {
  EXPECT_EQ(rt::element_count(GetParam().words.data()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ElementCountTest,
                         ::testing::Values(CountRow{{0}, 0}, CountRow{{1, 0}, 0},
                                           CountRow{{1, 5}, 5}, CountRow{{2, 3, 4}, 12},
                                           CountRow{{2, 3, 0}, 0}));

TEST(ElementCount, NullHasNoElements) {
  EXPECT_EQ(rt::element_count(nullptr), 0u);
}

}  // namespace
