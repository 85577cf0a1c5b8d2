#include "web/growing_bytes.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/core/memory/memory.h"
#include "tests/support/runtime_fixture.h"

namespace {

int g_resizes = 0;

void* counting_resize(void* block, size_t size) {
  ++g_resizes;
  return core::resize_memory(block, size);
}

class GrowingBytesTest : public test_support::RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    g_resizes = 0;
    services().resize_memory = &counting_resize;
  }
};

struct GrowthRow {
  size_t chunk;
  size_t chunks;
  int most_resizes;  // growth steps and the final trim
};

class Growth : public GrowingBytesTest, public ::testing::WithParamInterface<GrowthRow> {};

TEST_P(Growth, KeepsEveryByteAndGrowsLogarithmically) {
  const GrowthRow& row = GetParam();
  std::vector<uint8_t> chunk(row.chunk);
  web::GrowingBytes bytes;
  for (size_t i = 0; i < row.chunks; ++i) {
    std::iota(chunk.begin(), chunk.end(), static_cast<uint8_t>(i));
    ASSERT_TRUE(bytes.append(chunk));
  }
  const rt::Bytes set = bytes.finish();
  ASSERT_EQ(set.size(), row.chunk * row.chunks);
  EXPECT_LE(g_resizes, row.most_resizes);
  for (size_t i = 0; i < row.chunks; ++i) {
    ASSERT_EQ(set.data()[i * row.chunk], static_cast<uint8_t>(i));
    ASSERT_EQ(set.data()[(i + 1) * row.chunk - 1], static_cast<uint8_t>(i + row.chunk - 1));
  }
  EXPECT_EQ(bytes.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, Growth,
                         ::testing::Values(GrowthRow{1, 1, 2}, GrowthRow{512, 8, 2},
                                           GrowthRow{512, 9, 3}, GrowthRow{512, 20000, 14},
                                           GrowthRow{5000, 3, 4}, GrowthRow{100000, 1, 2}));

TEST_F(GrowingBytesTest, NothingAppendedIsTheEmptySet) {
  web::GrowingBytes bytes;
  ASSERT_TRUE(bytes.append({}));
  EXPECT_EQ(bytes.finish().block(), nullptr);
}

TEST_F(GrowingBytesTest, AppendsPastTheLimitAreRefusedWhole) {
  web::GrowingBytes bytes(10);
  const std::vector<uint8_t> six(6, 1);
  ASSERT_TRUE(bytes.append(six));
  EXPECT_FALSE(bytes.append(six));
  EXPECT_EQ(bytes.size(), 6u);
  ASSERT_TRUE(bytes.append(std::span(six).first(4)));
  EXPECT_EQ(bytes.finish().size(), 10u);
}

TEST_F(GrowingBytesTest, AnUnfinishedBuilderFreesItsBlock) {
  web::GrowingBytes bytes;
  const std::vector<uint8_t> some(100, 2);
  ASSERT_TRUE(bytes.append(some));
  // The fixture checks that every block came back.
}

}  // namespace
