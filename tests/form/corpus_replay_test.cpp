// Runs the fuzz entry over the committed corpus and over single-byte changes
// of each corpus file, so the reader's rejections are exercised without a
// fuzzing compiler.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "image/form/form_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::vector<uint8_t>> corpus() {
  const char* root = std::getenv("LYB_SOURCE_DIR");
  std::vector<std::vector<uint8_t>> files;
  if (!root) {
    return files;
  }
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(root) / "tests/form/corpus")) {
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

TEST(FormCorpus, HoldsValidFormsThatSurviveEveryByteChange) {
  const auto files = corpus();
  ASSERT_GE(files.size(), 2u) << "corpus not found (LYB_SOURCE_DIR)";
  size_t valid = 0;
  for (const auto& file : files) {
    valid += form::validate_form(file).ok();
    LLVMFuzzerTestOneInput(file.data(), file.size());
    for (size_t i = 0; i < file.size(); ++i) {
      for (uint8_t flip : {uint8_t{0x01}, uint8_t{0x80}, uint8_t{0xFF}}) {
        std::vector<uint8_t> changed = file;
        changed[i] ^= flip;
        LLVMFuzzerTestOneInput(changed.data(), changed.size());
      }
    }
  }
  EXPECT_GE(valid, 2u);
}

}  // namespace
