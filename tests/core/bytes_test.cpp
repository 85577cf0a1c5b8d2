// Byte sets: {u32 1, u32 length, bytes}; null is the empty set.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/core/commands/command_table.h"
#include "runtime/core_commands.h"
#include "tests/support/runtime_fixture.h"

namespace {

using test_support::RuntimeFixture;

std::string contents(const rt::Bytes& bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

uint32_t header_word(const rt::Bytes& bytes, size_t index) {
  uint32_t word = 0;
  std::memcpy(&word, static_cast<const uint8_t*>(bytes.block()) + index * 4, 4);
  return word;
}

TEST_F(RuntimeFixture, ZeroBytesHasLengthWordAndZeros) {
  const rt::Bytes bytes = rt::zero_bytes(512);
  ASSERT_NE(bytes.block(), nullptr);
  EXPECT_EQ(header_word(bytes, 0), 1u);
  EXPECT_EQ(header_word(bytes, 1), 512u);
  EXPECT_EQ(contents(bytes), std::string(512, '\0'));
  EXPECT_EQ(rt::zero_bytes(0).block(), nullptr);
  EXPECT_EQ(rt::zero_bytes(-5).block(), nullptr);
}

TEST_F(RuntimeFixture, TextToBytesKeepsEveryByte) {
  const rt::Bytes bytes = rt::text_to_bytes("a\xD6\xD0z");
  EXPECT_EQ(header_word(bytes, 1), 4u);
  EXPECT_EQ(contents(bytes), "a\xD6\xD0z");
  EXPECT_EQ(rt::bytes_length(bytes), 4);
  EXPECT_EQ(rt::text_to_bytes("").block(), nullptr);
  EXPECT_EQ(rt::bytes_length(rt::BytesView()), 0);
}

struct LeftBytesRow {
  int32_t count;
  const char* expected;
};

class LeftBytesTest : public RuntimeFixture, public ::testing::WithParamInterface<LeftBytesRow> {};

TEST_P(LeftBytesTest, TakesClampedPrefix) {
  const rt::Bytes source = rt::text_to_bytes("abcdef");
  const rt::Bytes left = rt::left_bytes(source, GetParam().count);
  EXPECT_EQ(contents(left), GetParam().expected);
  EXPECT_EQ(left.block() == nullptr, std::string(GetParam().expected).empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, LeftBytesTest,
                         ::testing::Values(LeftBytesRow{3, "abc"}, LeftBytesRow{0, ""},
                                           LeftBytesRow{99, "abcdef"}, LeftBytesRow{-1, ""}));

TEST_F(RuntimeFixture, BytesToValueGivesText) {
  const rt::Bytes reply = rt::text_to_bytes("<h2>1.2.3.4</h2>");
  EXPECT_EQ(rt::bytes_to_value(reply).view(), "<h2>1.2.3.4</h2>");
  const rt::Text empty = rt::bytes_to_value(rt::BytesView());
  EXPECT_EQ(empty.view(), "");
}

TEST_F(RuntimeFixture, BytesToValueOfAnotherTypeIsNoText) {
  const uint8_t block[] = {1, 0, 0, 0, 1, 0, 0, 0, 'x'};
  const abi::ArgRecord args[] = {{reinterpret_cast<uint64_t>(block), 0, abi::tag::Bytes},
                                 {3, 0, abi::tag::Int}};
  EXPECT_EQ(core::call_core_command(abi::cmd::BytesToValue, 2, args).tag, abi::tag::None);
}

TEST_F(RuntimeFixture, ByteSetWithWrongHeaderIsRefused) {
  const uint8_t block[] = {2, 0, 0, 0, 1, 0, 0, 0, 'x'};
  const abi::ArgRecord arg{reinterpret_cast<uint64_t>(block), 0, abi::tag::Bytes};
  EXPECT_DEATH(core::call_core_command(abi::cmd::BytesLength, 1, &arg),
               "BytesLength argument 1: not a byte set \\(first word 2, expected 1\\)");
}

}  // namespace
