// Replays the committed corpus through the fuzz entry, then a fixed series of
// mutations of each corpus file: truncations, byte flips and words set to
// boundary values. Under ASan this is the fuzzer's regression run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "image/format/byte_io.h"
#include "tests/image/fuzz_entry.h"
#include "tests/image/test_image.h"

namespace {

std::vector<std::vector<uint8_t>> corpus() {
  const char* source = std::getenv("LYB_SOURCE_DIR");
  std::vector<std::vector<uint8_t>> out;
  if (source == nullptr) {
    return out;
  }
  std::vector<std::filesystem::path> files;
  for (const auto& e :
       std::filesystem::directory_iterator(std::filesystem::path(source) / "tests/image/corpus")) {
    files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return out;
}

TEST(ImageCorpus, ValidEntriesStayValidAndOthersAreRejected) {
  const auto files = corpus();
  ASSERT_GE(files.size(), 4u) << "LYB_SOURCE_DIR/tests/image/corpus is missing";
  // The first file is the valid small image; the rest are corruptions of it.
  EXPECT_TRUE(image_fuzz::run_one(files[0].data(), files[0].size()));
  for (size_t i = 1; i < files.size(); ++i) {
    EXPECT_FALSE(image_fuzz::run_one(files[i].data(), files[i].size())) << "corpus file " << i;
  }
}

TEST(ImageCorpus, MutationsNeverCrash) {
  auto files = corpus();
  files.push_back(test_image::small_image().bytes);
  std::mt19937 random(20261208);
  constexpr uint32_t kBoundaries[] = {0, 1, 0x7fffffff, 0x80000000, 0xfffffff8, 0xffffffff};
  size_t accepted = 0;
  for (const auto& original : files) {
    for (int round = 0; round < 3000; ++round) {
      std::vector<uint8_t> input = original;
      if (input.empty()) {
        break;
      }
      const size_t at = random() % input.size();
      switch (random() % 3) {
        case 0:
          input.resize(at);
          break;
        case 1:
          input[at] ^= static_cast<uint8_t>(1u << (random() % 8));
          break;
        default:
          if (at + 4 <= input.size()) {
            image::write_u32(input, at & ~size_t{3},
                             kBoundaries[random() % std::size(kBoundaries)]);
          }
      }
      accepted += image_fuzz::run_one(input.data(), input.size()) ? 1 : 0;
    }
  }
  // Some flips land in bytes no check looks at (text content, padding).
  EXPECT_LT(accepted, files.size() * 3000);
}

}  // namespace
