// Replays the fuzz corpus, and every prefix of each file, through the cookie
// parsers; the sanitizer build checks each byte read.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/corpus_replay.h"
#include "tests/wininet/cookie_fuzz.h"

namespace {

TEST(CookieCorpus, EveryPrefixOfEveryFile) {
  const std::filesystem::path corpus =
      std::filesystem::path(LYB_SOURCE_ROOT) / "tests/wininet/corpus/cookie";
  EXPECT_GE(test_support::replay_every_prefix(corpus, &LLVMFuzzerTestOneInput), 6u);
}

}  // namespace
