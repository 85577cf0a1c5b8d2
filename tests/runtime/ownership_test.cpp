// The facade's owners: every block handed to the program is freed exactly
// once, whichever way it leaves the owner; views and constants are never freed.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "runtime/core_commands.h"
#include "runtime/program_services.h"
#include "runtime/shared_routines.h"
#include "tests/support/runtime_fixture.h"

namespace {

class OwnershipTest : public test_support::RuntimeFixture {
 protected:
  size_t held() const { return core::live_blocks() - blocks_at_start(); }
};

TEST_F(OwnershipTest, TextMovesAndFreesOnce) {
  rt::Text a = rt::to_text("first");
  EXPECT_EQ(held(), 1u);
  rt::Text b = std::move(a);
  EXPECT_EQ(a.data(), nullptr);  // NOLINT(bugprone-use-after-move): the moved-from state is defined
  EXPECT_EQ(b.view(), "first");
  b = rt::to_text("second");
  EXPECT_EQ(held(), 1u) << "assigning frees the old block";
  b = std::move(b);
  EXPECT_EQ(b.view(), "second");
  EXPECT_EQ(held(), 1u);
}

TEST_F(OwnershipTest, EmptyTextReadsAsEmpty) {
  const rt::Text none;
  EXPECT_STREQ(none.c_str(), "");
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.size(), 0u);
  const rt::TextView view;
  EXPECT_STREQ(view.c_str(), "");
  EXPECT_EQ(view.get(), nullptr);
}

TEST_F(OwnershipTest, ReleaseHandsTheBlockOver) {
  rt::Text text = rt::to_text("kept");
  char* block = text.release();
  EXPECT_EQ(text.data(), nullptr);
  EXPECT_EQ(held(), 1u);
  rt::Text again = rt::Text::adopt(block);
  EXPECT_EQ(again.view(), "kept");
}

TEST_F(OwnershipTest, BytesMovesAndFreesOnce) {
  rt::Bytes a = rt::zero_bytes(16);
  rt::Bytes b = rt::text_to_bytes("xy");
  EXPECT_EQ(held(), 2u);
  b = std::move(a);
  EXPECT_EQ(held(), 1u);
  EXPECT_EQ(b.size(), 16u);
  void* block = b.release();
  EXPECT_EQ(b.size(), 0u);
  EXPECT_EQ(b.data(), nullptr);
  rt::free(block);
  EXPECT_EQ(held(), 0u);
}

TEST_F(OwnershipTest, TextArrayFreesEveryPieceAndItself) {
  {
    rt::TextArray pieces = rt::split_text("a,b,,c", ",");
    EXPECT_EQ(held(), 5u);
    rt::TextArray moved = std::move(pieces);
    EXPECT_EQ(pieces.size(), 0u);  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(moved.size(), 4u);
    EXPECT_EQ(moved[3].view(), "c");
    moved = rt::split_text("x", ",");
    EXPECT_EQ(held(), 2u);
  }
  EXPECT_EQ(held(), 0u);
}

TEST_F(OwnershipTest, ConstantsAreUsedThroughViews) {
  // The image's empty array constant doubles as the empty byte set.
  static const uint32_t constant_data[] = {1, 0, 0x636261, 0};
  core::set_constant_range(constant_data, sizeof constant_data);
  const rt::BytesView empty_set(constant_data);
  EXPECT_EQ(empty_set.size(), 0u);
  EXPECT_EQ(rt::bytes_length(empty_set), 0);
  rt::free(const_cast<uint32_t*>(constant_data));
  const rt::TextView abc(reinterpret_cast<const char*>(&constant_data[2]));
  EXPECT_EQ(rt::text_length(abc), 3);
  EXPECT_EQ(held(), 0u);
}

TEST_F(OwnershipTest, ArrayIndexPastTheEndIsRuntimeError1) {
  const rt::TextArray pieces = rt::split_text("only one piece", "giving&hash=");
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EXIT((void)pieces[1], ::testing::ExitedWithCode(core::kRuntimeErrorStatus),
              "runtime error 1");
}

// A runtime that knows no text type.
abi::ArgRecord returns_no_text(uint32_t, uint32_t, const abi::ArgRecord*) {
  return {0, 0, abi::tag::None};
}

TEST_F(OwnershipTest, NonTextFromBytesToValueIsRuntimeError5) {
  const rt::Bytes bytes = rt::text_to_bytes("6");
  EXPECT_EXIT(
      {
        services().call_core_command = returns_no_text;
        (void)rt::bytes_to_value(bytes);
      },
      ::testing::ExitedWithCode(core::kRuntimeErrorStatus), "runtime error 5");
}

}  // namespace
