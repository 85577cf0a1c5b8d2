// Which link targets are addresses and which are local paths.
#include <gtest/gtest.h>

#include "platform/support/link_target.h"
#include "tests/support/drive_c.h"
#include "tests/support/temp_dir.h"

namespace window_logic_test {
namespace {

using support::LinkTarget;

struct TargetRow {
  const char* target;  // GBK
  LinkTarget::Kind kind;
  const char* expected;  // the URL, or the path below drive C (UTF-8)
};

TEST(LinkTarget, SchemesOfTwoLettersOrMoreAreAddresses) {
  test_support::TempDir data;
  test_support::ScopedEnv env("XDG_DATA_HOME", data.path().string());
  const auto drive = test_support::drive_c(data.path());
  const TargetRow rows[] = {
      {"http://127.0.0.1:1/go?pid=1&eventid=2", LinkTarget::Kind::Url,
       "http://127.0.0.1:1/go?pid=1&eventid=2"},
      {"  https://x/y \r\n", LinkTarget::Kind::Url, "https://x/y"},
      {"ab:c", LinkTarget::Kind::Url, "ab:c"},
      {"mailto:a@b", LinkTarget::Kind::Url, "mailto:a@b"},
      {"http://x/\xb8\xa3", LinkTarget::Kind::Url, "http://x/福"},
      {"c:\\help.html", LinkTarget::Kind::LocalFile, "help.html"},
      {"c:\\\xca\xb9\xd3\xc3\xb0\xef\xd6\xfa.html", LinkTarget::Kind::LocalFile, "使用帮助.html"},
      {"1a:b", LinkTarget::Kind::LocalFile, nullptr},
      {"", LinkTarget::Kind::LocalFile, nullptr},
  };
  for (const TargetRow& row : rows) {
    const LinkTarget got = support::classify(row.target);
    EXPECT_EQ(got.kind, row.kind) << row.target;
    if (row.kind == LinkTarget::Kind::Url) {
      EXPECT_EQ(got.url, row.expected) << row.target;
    } else if (row.expected != nullptr) {
      EXPECT_EQ(got.file, drive / test_support::utf8_path(row.expected)) << row.target;
    }
  }
}

}  // namespace
}  // namespace window_logic_test
