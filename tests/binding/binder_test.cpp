#include <gtest/gtest.h>

#include <map>
#include <string>

#include "image/format/byte_io.h"
#include "platform/core/binding/binder.h"
#include "platform/core/binding/dll_host.h"
#include "tests/image/test_image.h"

namespace {

void first() {}
void second() {}

uint64_t word_at(const std::vector<uint8_t>& bytes, uint32_t offset) {
  return image::read_u64(bytes, offset);
}
uint64_t address(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

class Binder : public ::testing::Test {
 protected:
  binding::BindResult bind(const std::map<std::string, void*>& routines) {
    return binding::bind_image(bytes_, services_, [&](std::string_view name) -> void* {
      const auto it = routines.find(std::string(name));
      return it == routines.end() ? nullptr : it->second;
    });
  }
  const std::map<std::string, void*> kBoth = {{"First", reinterpret_cast<void*>(&first)},
                                              {"Second", reinterpret_cast<void*>(&second)}};

  image::BuiltImage built_ = test_image::small_image();
  std::vector<uint8_t> bytes_ = built_.bytes;
  abi::ServiceTable services_{};
  uint32_t code_ = test_image::code_data(built_);
};

TEST_F(Binder, FillsEveryRelocatedWord) {
  const binding::BindResult r = bind(kBoth);
  ASSERT_NE(r.program, nullptr) << r.error;
  const uint64_t const_data = address(bytes_.data() + built_.data_offsets[0]);
  EXPECT_EQ(word_at(bytes_, code_ + 8), const_data + test_image::kFirstName);  // name words
  EXPECT_EQ(word_at(bytes_, code_ + 32 + 8), const_data + test_image::kSecondName);
  EXPECT_EQ(word_at(bytes_, code_ + 16), address(reinterpret_cast<void*>(&first)));  // entries
  EXPECT_EQ(word_at(bytes_, code_ + 32 + 16), address(reinterpret_cast<void*>(&second)));
  EXPECT_EQ(word_at(bytes_, code_ + 64 + 8), const_data + 7);
  EXPECT_EQ(word_at(bytes_, code_ + 80 + 8), address(r.program->var_data.get()));
  EXPECT_EQ(word_at(bytes_, code_ + 96 + 8), address(reinterpret_cast<void*>(&second)));
  EXPECT_EQ(word_at(bytes_, code_ + 112 + 8), 0x52010001u);  // immediates stay as stored
  for (uint32_t i = 0; i < abi::kSlotCount; ++i) {
    const uint32_t slot = abi::kStoredSlotOrder[i];
    EXPECT_EQ(word_at(bytes_, code_ + 128 + 16 * i + 8), address(&services_) + slot * sizeof(void*))
        << "slot " << slot;
  }
  EXPECT_EQ(r.program->var_size, 8u);
  EXPECT_EQ(r.program->var_data[0], 0u);
  EXPECT_EQ(r.program->program_entry, &second);
  EXPECT_EQ(r.program->routines.at(0), &first);
  ASSERT_EQ(r.program->declarations.size(), 2u);
  EXPECT_EQ(r.program->declarations[0].library, "lib.so");
  EXPECT_EQ(r.program->declarations[1].function, "Fn");
  EXPECT_EQ(r.program->form.size(), 4u);
}

TEST_F(Binder, AMissingRoutineIsNamed) {
  const binding::BindResult r = bind({{"First", reinterpret_cast<void*>(&first)}});
  EXPECT_EQ(r.program, nullptr);
  EXPECT_EQ(r.error, "routine 'Second' (code offset 0x20) is missing from the program file");
}

TEST_F(Binder, AMalformedImageIsNotBound) {
  image::write_u32(bytes_, 0, 0x4a58);
  const binding::BindResult r = bind(kBoth);
  EXPECT_EQ(r.program, nullptr);
  EXPECT_EQ(r.error, "header: magic at 0x0 is 0x4a58, expected 0x4a57");
}

TEST_F(Binder, TheImageMayLieInALargerBlock) {
  bytes_.resize(bytes_.size() + 100, 0xcc);
  EXPECT_NE(bind(kBoth).program, nullptr);
}

unsigned char g_loaded[64];

TEST(LoadedExtent, ReachesTheEndOfTheSegmentThatHoldsTheAddress) {
  const auto extent = binding::dll_host::loaded_extent(g_loaded);
  EXPECT_EQ(extent.data(), g_loaded);
  EXPECT_GE(extent.size(), sizeof g_loaded);
  int on_the_stack = 0;
  EXPECT_TRUE(binding::dll_host::loaded_extent(&on_the_stack).empty());
}

}  // namespace
