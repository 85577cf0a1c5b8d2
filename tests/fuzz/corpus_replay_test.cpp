// Replays each hostile-input corpus, every prefix of every file, through its
// fuzz entry; the sanitizer build checks each byte read.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/corpus_replay.h"

namespace {

struct CorpusRow {
  const char* name;
  test_support::FuzzEntry entry;
  size_t at_least;  // the seeds committed with the target
};

class HostileInputCorpus : public testing::TestWithParam<CorpusRow> {};

TEST_P(HostileInputCorpus, EveryPrefixOfEveryFileKeepsThePromises) {
  const std::filesystem::path corpus =
      std::filesystem::path(LYB_SOURCE_ROOT) / "tests/fuzz/corpus" / GetParam().name;
  EXPECT_GE(test_support::replay_every_prefix(corpus, GetParam().entry), GetParam().at_least);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, HostileInputCorpus,
    testing::Values(CorpusRow{"request_target", &fuzz_targets::request_target, 5},
                    CorpusRow{"url_parts", &fuzz_targets::url_parts, 5},
                    CorpusRow{"reply_cookies", &fuzz_targets::reply_cookies, 4},
                    CorpusRow{"service_fields", &fuzz_targets::service_fields, 4},
                    CorpusRow{"gbk_search", &fuzz_targets::gbk_search, 4}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
