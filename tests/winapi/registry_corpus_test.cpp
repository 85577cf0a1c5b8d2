// Replays the fuzz corpus, and every prefix of each file, through the parser:
// a file cut anywhere (mid-escape, mid-continuation) must still parse or fail
// cleanly, which the sanitizer build checks byte by byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/corpus_replay.h"
#include "tests/winapi/registry_fuzz.h"

namespace {

TEST(RegistryCorpus, EveryPrefixOfEveryFile) {
  const std::filesystem::path corpus =
      std::filesystem::path(LYB_SOURCE_ROOT) / "tests/winapi/corpus/registry";
  EXPECT_GE(test_support::replay_every_prefix(corpus, &LLVMFuzzerTestOneInput), 4u);
}

}  // namespace
