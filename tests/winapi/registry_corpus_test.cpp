// Replays the fuzz corpus, and every prefix of each file, through the parser:
// a file cut anywhere (mid-escape, mid-continuation) must still parse or fail
// cleanly, which the sanitizer build checks byte by byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/winapi/registry_fuzz.h"

namespace {

TEST(RegistryCorpus, EveryPrefixOfEveryFile) {
  const std::filesystem::path corpus =
      std::filesystem::path(LYB_SOURCE_ROOT) / "tests/winapi/corpus/registry";
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(bytes.empty()) << entry.path();
    for (size_t length = 0; length <= bytes.size(); ++length) {
      // A heap copy of exactly `length` bytes, so reading past it is caught.
      const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
      EXPECT_EQ(LLVMFuzzerTestOneInput(prefix.data(), prefix.size()), 0);
    }
    ++files;
  }
  EXPECT_GE(files, 4u);
}

}  // namespace
