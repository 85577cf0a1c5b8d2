// The runtime's memory and error services and the command table itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "tests/support/death_regex.h"

namespace {

class MemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { start_ = core::live_blocks(); }
  void TearDown() override {
    core::set_constant_range(nullptr, 0);
    EXPECT_EQ(core::live_blocks(), start_);
  }
  size_t start_ = 0;
};

TEST_F(MemoryTest, ZeroSizeBlocksAreValidAndUnique) {
  void* a = core::alloc_memory(0);
  void* b = core::alloc_memory(0);
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(core::live_blocks(), start_ + 2);
  core::free_memory(a);
  core::free_memory(b);
}

TEST_F(MemoryTest, ResizeKeepsContents) {
  auto* block = static_cast<char*>(core::alloc_memory(4));
  std::memcpy(block, "abcd", 4);
  block = static_cast<char*>(core::resize_memory(block, 1 << 20));
  EXPECT_EQ(std::string(block, 4), "abcd");
  block = static_cast<char*>(core::resize_memory(block, 2));
  EXPECT_EQ(std::string(block, 2), "ab");
  EXPECT_EQ(core::live_blocks(), start_ + 1);
  core::free_memory(block);
}

TEST_F(MemoryTest, ResizeOfNullAllocates) {
  void* block = core::resize_memory(nullptr, 8);
  EXPECT_EQ(core::live_blocks(), start_ + 1);
  core::free_memory(block);
}

TEST_F(MemoryTest, ConstantsAreNeverFreed) {
  static const uint32_t constants[] = {1, 0, 7, 7};
  core::set_constant_range(constants, sizeof constants);
  core::free_memory(const_cast<uint32_t*>(&constants[0]));
  core::free_memory(const_cast<uint32_t*>(&constants[2]));
  core::free_memory(nullptr);
  EXPECT_EQ(constants[2], 7u);
  EXPECT_EQ(core::live_blocks(), start_);
}

TEST_F(MemoryTest, ResizingAConstantCopiesIt) {
  static const uint32_t constants[] = {1, 0};
  core::set_constant_range(constants, sizeof constants);
  auto* copy = static_cast<uint32_t*>(
      core::resize_memory(const_cast<uint32_t*>(constants), sizeof constants + 8));
  EXPECT_NE(copy, constants);
  EXPECT_EQ(copy[0], 1u);
  EXPECT_EQ(copy[1], 0u);
  core::free_memory(copy);
}

TEST(MemoryDeathTest, ExhaustionEndsTheProcess) {
  EXPECT_EXIT(core::alloc_memory(std::numeric_limits<size_t>::max()),
              ::testing::ExitedWithCode(core::kFatalErrorStatus),
              "internal error: out of memory: cannot allocate " LYB_DIGITS_RE " bytes");
}

struct ErrorRow {
  uint32_t code;
  const char* message;
};

class RuntimeErrorDeathTest : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(RuntimeErrorDeathTest, NamesCodeAndMeaning) {
  EXPECT_EXIT(core::report_runtime_error(GetParam().code),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RuntimeErrorDeathTest,
    ::testing::Values(ErrorRow{1, "runtime error 1: array index out of range"},
                      ErrorRow{5, "runtime error 5: the value converted to text is not a text"},
                      ErrorRow{6,
                               "runtime error 6: a declared DLL function was called with the "
                               "wrong number of arguments"},
                      ErrorRow{9, "runtime error 9: unknown error"}));

TEST(FatalErrorDeathTest, SaysWhatWentWrong) {
  EXPECT_EXIT(core::fatal_error("unknown slot 13"),
              ::testing::ExitedWithCode(core::kFatalErrorStatus),
              "internal error: unknown slot 13");
}

TEST(CommandTableDeathTest, UnknownCommandIsNamedInHex) {
  EXPECT_EXIT(core::call_core_command(0x999, 0, nullptr),
              ::testing::ExitedWithCode(core::kFatalErrorStatus),
              "internal error: unknown core command 0x999");
}

struct BadArgsRow {
  const char* name;
  uint32_t command;
  std::vector<abi::ArgRecord> args;
  const char* message;
};

const abi::ArgRecord kInt{3, 0, abi::tag::Int};
const abi::ArgRecord kText{reinterpret_cast<uint64_t>("abc"), 0, abi::tag::Text};
const abi::ArgRecord kFloat{0, 0, abi::tag::Float};

class BadArgumentsDeathTest : public ::testing::TestWithParam<BadArgsRow> {};

TEST_P(BadArgumentsDeathTest, AreInternalFaults) {
  const BadArgsRow& row = GetParam();
  EXPECT_EXIT(
      core::call_core_command(row.command, static_cast<uint32_t>(row.args.size()), row.args.data()),
      ::testing::ExitedWithCode(core::kFatalErrorStatus), row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadArgumentsDeathTest,
    ::testing::Values(
        BadArgsRow{"missing", abi::cmd::LeftText, {kText}, "LeftText: argument 2 is missing"},
        BadArgsRow{"int_for_text",
                   abi::cmd::TextLength,
                   {kInt},
                   "TextLength: argument 1 has tag 0x80000301, expected 0x80000004"},
        BadArgsRow{"text_for_int",
                   abi::cmd::ZeroBytes,
                   {kText},
                   "ZeroBytes: argument 1 has tag 0x80000004, expected 0x80000301"},
        BadArgsRow{"float_to_text", abi::cmd::ToText, {kFloat}, "ToText: argument 1 cannot be"}),
    [](const auto& info) { return std::string(info.param.name); });

abi::ArgRecord answer(std::span<const abi::ArgRecord> args) {
  return {args.size() + 40, 0, abi::tag::Int};
}

TEST(CommandTable, RegisteredCommandGetsItsArguments) {
  core::register_core_command(abi::cmd::ProcessEvents, answer);
  const abi::ArgRecord args[2] = {kInt, kInt};
  EXPECT_EQ(core::call_core_command(abi::cmd::ProcessEvents, 2, args).value, 42u);
  EXPECT_EQ(core::call_core_command(abi::cmd::ProcessEvents, 0, nullptr).value, 40u);
}

TEST(CommandTable, OmittedOptionalArgumentsTakeDefaults) {
  const abi::ArgRecord args[] = {kText, {reinterpret_cast<uint64_t>("c"), 0, abi::tag::Text}};
  EXPECT_EQ(static_cast<int32_t>(core::call_core_command(abi::cmd::FindText, 2, args).value), 3);
  // Null texts read as the empty text.
  const abi::ArgRecord null_text[] = {{0, 0, abi::tag::Text}};
  EXPECT_EQ(core::call_core_command(abi::cmd::TextLength, 1, null_text).value, 0u);
}

// 1.0 is 0x3FF0000000000000 and -0.1 is 0xBFB999999999999A in IEEE 754.
TEST(FloatRecord, KeepsAllSixtyFourBitsWhateverTheWordSize) {
  const abi::ArgRecord one = abi::float_record(1.0);
  const abi::ArgRecord tenth = abi::float_record(-0.1);
  if constexpr (abi::kWordIs64Bits) {
    EXPECT_EQ(uint64_t{one.value}, 0x3FF0000000000000u);
    EXPECT_EQ(one.high, 0u);
    EXPECT_EQ(uint64_t{tenth.value}, 0xBFB999999999999Au);
  } else {
    EXPECT_EQ(uint64_t{one.value}, 0u);
    EXPECT_EQ(one.high, 0x3FF00000u);
    EXPECT_EQ(uint64_t{tenth.value}, 0x9999999Au);
    EXPECT_EQ(tenth.high, 0xBFB99999u);
  }
  EXPECT_EQ(one.tag, abi::tag::Float);
  EXPECT_EQ(abi::float_of(tenth), -0.1);
  EXPECT_EQ(abi::float_of(abi::float_record(-2.5e-300)), -2.5e-300);
}

}  // namespace
