#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/start/start_routines.h"
#include "platform/core/memory/memory.h"
#include "runtime/program_services.h"
#include "tests/program/program_fixture.h"

namespace {

std::vector<void*> g_freed;

void counting_free(void* block) {
  g_freed.push_back(block);
  core::free_memory(block);
}

class Globals : public program_test::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    g_freed.clear();
    services().free_memory = &counting_free;
  }

  char* text(const char* s) {
    auto* t = static_cast<char*>(rt::alloc(std::strlen(s) + 1));
    std::strcpy(t, s);
    return t;
  }

  abi::WindowRecord* record(uint64_t window, char* title, char* class_name) {
    auto* r = static_cast<abi::WindowRecord*>(rt::alloc(sizeof(abi::WindowRecord)));
    *r = {window, 1, 2, title, class_name};
    return r;
  }

  void* array_of(const std::vector<abi::WindowRecord*>& records) {
    auto* block = static_cast<uint8_t*>(rt::alloc(8 + records.size() * sizeof(void*)));
    const uint32_t header[2] = {1, static_cast<uint32_t>(records.size())};
    std::memcpy(block, header, 8);
    std::memcpy(block + 8, records.data(), records.size() * sizeof(void*));
    return block;
  }
};

TEST_F(Globals, InitGlobalsGivesWindowListAPrivateEmptyArray) {
  const size_t before = core::live_blocks();
  InitGlobals();
  ASSERT_NE(window_list_, nullptr);
  EXPECT_NE(window_list_, const_address(program::Const::EmptyArray));
  EXPECT_EQ(std::memcmp(window_list_, const_address(program::Const::EmptyArray), 8), 0);
  EXPECT_EQ(core::live_blocks(), before + 1);
  ReleaseGlobals();
}

TEST_F(Globals, WithoutAnyLookupOnlyTheBlockIsFreed) {
  InitGlobals();
  void* block = window_list_;
  ReleaseGlobals();
  EXPECT_EQ(g_freed, std::vector<void*>{block});
}

TEST_F(Globals, TheSharedConstantIsFreedHarmlessly) {
  window_list_ = const_cast<uint8_t*>(const_address(program::Const::EmptyArray));
  const size_t before = core::live_blocks();
  ReleaseGlobals();
  EXPECT_EQ(g_freed, std::vector<void*>{window_list_});
  EXPECT_EQ(core::live_blocks(), before);
}

TEST_F(Globals, ThreeRecordsOneWithoutTitleAreFreedInSlotOrder) {
  char* t1 = text("one");
  char* c1 = text("Class1");
  char* c2 = text("Class2");
  char* t3 = text("three");
  char* c3 = text("Class3");
  abi::WindowRecord* r1 = record(11, t1, c1);
  abi::WindowRecord* r2 = record(12, nullptr, c2);
  abi::WindowRecord* r3 = record(13, t3, c3);
  window_list_ = array_of({r1, r2, r3});
  void* block = window_list_;
  ReleaseGlobals();
  // Five text frees, three record frees, one block free.
  EXPECT_EQ(g_freed, (std::vector<void*>{t1, c1, r1, c2, r2, t3, c3, r3, block}));
}

TEST_F(Globals, ANullSlotIsSkipped) {
  abi::WindowRecord* r = record(1, nullptr, nullptr);
  window_list_ = array_of({nullptr, r});
  void* block = window_list_;
  ReleaseGlobals();
  EXPECT_EQ(g_freed, (std::vector<void*>{r, block}));
}

TEST_F(Globals, StartRoutineAnswersZero) {
  EXPECT_EQ(StartRoutine(), 0);
}

}  // namespace
