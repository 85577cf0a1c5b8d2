// Replays the fuzz corpus, and every prefix of each file, through the cookie
// parsers; the sanitizer build checks each byte read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/wininet/cookie_fuzz.h"

namespace {

TEST(CookieCorpus, EveryPrefixOfEveryFile) {
  const std::filesystem::path corpus =
      std::filesystem::path(LYB_SOURCE_ROOT) / "tests/wininet/corpus/cookie";
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(bytes.empty()) << entry.path();
    for (size_t length = 0; length <= bytes.size(); ++length) {
      const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
      EXPECT_EQ(LLVMFuzzerTestOneInput(prefix.data(), prefix.size()), 0);
    }
    ++files;
  }
  EXPECT_GE(files, 6u);
}

}  // namespace
