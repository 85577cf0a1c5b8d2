// Replays a fuzz target's committed corpus: every prefix of every file, each
// as a heap copy of exactly its length, so a read past the end is caught.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace test_support {

using FuzzEntry = int (*)(const uint8_t* data, size_t size);

// Returns the number of files replayed.
inline size_t replay_every_prefix(const std::filesystem::path& corpus, FuzzEntry fuzz) {
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_FALSE(bytes.empty()) << entry.path();
    for (size_t length = 0; length <= bytes.size(); ++length) {
      const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
      EXPECT_EQ(fuzz(prefix.data(), prefix.size()), 0) << entry.path() << " cut at " << length;
    }
    ++files;
  }
  return files;
}

}  // namespace test_support
