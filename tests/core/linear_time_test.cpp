// Inputs of 16 MiB: each of these finishes in well under the test time-out
// only when the operation runs in linear time.
#include <gtest/gtest.h>

#include <string>

#include "runtime/core_commands.h"
#include "runtime/memory_file.h"
#include "tests/support/runtime_fixture.h"

namespace {

using test_support::RuntimeFixture;

constexpr size_t kSize = 16u << 20;

TEST_F(RuntimeFixture, FindTextWithLongNearMissIsLinear) {
  const std::string text(kSize, 'a');
  const std::string sought = std::string(1u << 20, 'a') + "b";
  EXPECT_EQ(rt::find_text(text.c_str(), sought.c_str()), -1);
  EXPECT_EQ(rt::locate_text(text.c_str(), sought.c_str()), -1);
}

TEST_F(RuntimeFixture, FindTextOverTrailBytesIsLinear) {
  // Every 'A' is the second byte of a character: each candidate is refused.
  std::string text;
  for (size_t i = 0; i < kSize / 2; ++i) {
    text +=
        "\x81"
        "A";
  }
  const std::string sought = "A" + text.substr(0, 1u << 16);
  EXPECT_EQ(rt::find_text(text.c_str(), "A"), -1);
  EXPECT_EQ(rt::find_text(text.c_str(), sought.c_str()), -1);
}

TEST_F(RuntimeFixture, ReplaceAllOnManyMatchesIsLinear) {
  std::string text;
  for (size_t i = 0; i < kSize / 2; ++i) {
    text += "ab";
  }
  const rt::Text replaced = rt::replace_all(text.c_str(), "a", "xy");
  ASSERT_EQ(replaced.size(), kSize / 2 * 3);
  EXPECT_EQ(replaced.view().substr(0, 6), "xybxyb");
  EXPECT_EQ(replaced.view().substr(replaced.size() - 3), "xyb");
}

TEST_F(RuntimeFixture, SplitTextOnManyPiecesIsLinear) {
  std::string text;
  for (size_t i = 0; i < kSize / 16; ++i) {
    text += "abcdefghijklmno,";
  }
  const rt::TextArray pieces = rt::split_text(text.c_str(), ",");
  ASSERT_EQ(pieces.size(), kSize / 16 + 1);
  EXPECT_EQ(pieces[0].view(), "abcdefghijklmno");
  EXPECT_EQ(pieces[kSize / 16].view(), "");
}

TEST_F(RuntimeFixture, ReadLineThroughLargeFileIsLinear) {
  std::string text;
  for (size_t i = 0; i < kSize / 16; ++i) {
    text += "Set-Cookie: ab\r\n";
  }
  rt::MemoryFile file;
  file.write(text.c_str());
  file.seek_to_start();
  size_t lines = 0;
  bool all_equal = true;
  while (!file.at_end()) {
    all_equal = all_equal && file.read_line().view() == "Set-Cookie: ab";
    ++lines;
  }
  EXPECT_EQ(lines, kSize / 16);
  EXPECT_TRUE(all_equal);
}

}  // namespace
