#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/core/binding/runtime_help.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"

namespace {

// {1, 0} and {1, 2, p, q} as they would stand in const data.
struct ConstData {
  uint32_t empty[2] = {1, 0};
  uint32_t pair[2] = {1, 2};
  void* elements[2] = {nullptr, nullptr};
};

class RuntimeHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    core::set_constant_range(&data_, sizeof data_);
    blocks_ = core::live_blocks();
  }
  void TearDown() override {
    core::set_constant_range(nullptr, 0);
    EXPECT_EQ(core::live_blocks(), blocks_);
  }
  ConstData data_;
  size_t blocks_ = 0;
};

TEST_F(RuntimeHelp, UnshareCopiesASharedConstant) {
  void* variable = data_.pair;
  binding::runtime_help(abi::help::UnshareArray, 4, reinterpret_cast<uintptr_t>(&variable));
  ASSERT_NE(variable, static_cast<void*>(data_.pair));
  EXPECT_EQ(core::live_blocks(), blocks_ + 1);
  EXPECT_EQ(std::memcmp(variable, data_.pair, 8 + 2 * sizeof(void*)), 0);
  core::free_memory(variable);
}

TEST_F(RuntimeHelp, UnshareLeavesAnOwnBlockAlone) {
  void* block = core::alloc_memory(8);
  void* variable = block;
  binding::unshare_array(4, &variable);
  EXPECT_EQ(variable, block);
  core::free_memory(block);
}

TEST_F(RuntimeHelp, UnshareGivesNullAnEmptyArray) {
  void* variable = nullptr;
  binding::unshare_array(4, &variable);
  ASSERT_NE(variable, nullptr);
  EXPECT_EQ(std::memcmp(variable, data_.empty, 8), 0);
  core::free_memory(variable);
}

TEST_F(RuntimeHelp, UnshareRefusesAnArrayCutOffByTheConstantEnd) {
  core::set_constant_range(&data_, sizeof data_ - 1);
  void* variable = data_.pair;
  EXPECT_EXIT(binding::unshare_array(4, &variable),
              ::testing::ExitedWithCode(core::kFatalErrorStatus), "cut off");
}

std::vector<int> g_order;

TEST_F(RuntimeHelp, CleanUpRunsOnceInRegistrationOrder) {
  g_order.clear();
  binding::runtime_help(abi::help::RegisterCleanup,
                        reinterpret_cast<uintptr_t>(+[] { g_order.push_back(1); }), 0);
  binding::runtime_help(abi::help::RegisterCleanup,
                        reinterpret_cast<uintptr_t>(+[] { g_order.push_back(2); }), 0);
  binding::run_cleanup();
  binding::run_cleanup();
  EXPECT_EQ(g_order, (std::vector<int>{1, 2}));
}

TEST_F(RuntimeHelp, AnUnknownFunctionIsAnInternalFault) {
  EXPECT_EXIT(binding::runtime_help(9, 0, 0), ::testing::ExitedWithCode(core::kFatalErrorStatus),
              "RuntimeHelp: unknown function 9");
}

TEST(ExitProgramDeathTest, RunsTheCleanUpThenShutsDownThenEndsWithTheCode) {
  EXPECT_EXIT(
      {
        binding::runtime_help(
            abi::help::RegisterCleanup,
            reinterpret_cast<uintptr_t>(+[] { std::fputs("clean-up\n", stderr); }), 0);
        binding::set_before_exit([] { std::fputs("shut down\n", stderr); });
        binding::exit_program(7);
      },
      ::testing::ExitedWithCode(7), "clean-up\nshut down\n");
}

}  // namespace
