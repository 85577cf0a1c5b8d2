// The per-user overlay of a read-only program directory, on real directories.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/paths/program_overlay.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using paths::ProgramOverlay;
using paths::Use;

class Overlay : public ::testing::Test {
 protected:
  Overlay() {
    fs::create_directories(program_);
    std::ofstream(program_ / "44.she") << "skin";
  }

  ProgramOverlay overlay(bool active = true) const { return {program_, store_, active}; }

  test_support::TempDir dir_;
  const fs::path program_ = dir_.path() / "usr" / "lib" / "lanyinbao";
  const fs::path store_ = dir_.path() / "home" / "lanyinbao" / "program";
};

TEST_F(Overlay, WritesUnderTheProgramDirectoryGoToTheStore) {
  const ProgramOverlay o = overlay();
  EXPECT_EQ(o.redirect(program_ / "ad", Use::Write), store_ / "ad");
  EXPECT_EQ(o.redirect(program_ / "ad" / "2.html", Use::Write), store_ / "ad" / "2.html");
  EXPECT_EQ(o.redirect(program_ / "." / "ad" / ".." / "ad" / "4.html", Use::Write),
            store_ / "ad" / "4.html");
  EXPECT_EQ(o.redirect(program_, Use::Write), store_);
  ASSERT_TRUE(fs::is_directory(store_));
  struct stat st {};
  ASSERT_EQ(::stat(store_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u) << "the store holds the user's own files";
}

TEST_F(Overlay, ReadsFindTheStoreFirstAndTheProgramDirectoryOtherwise) {
  const ProgramOverlay o = overlay();
  const fs::path page = program_ / "ad" / "2.html";
  EXPECT_EQ(o.redirect(page, Use::Read), std::nullopt) << "nothing written yet";
  EXPECT_EQ(o.redirect(program_ / "44.she", Use::Read), std::nullopt);

  const std::optional<fs::path> written = o.redirect(page, Use::Write);
  ASSERT_TRUE(written);
  fs::create_directories(written->parent_path());
  std::ofstream(*written) << "<html>";
  EXPECT_EQ(o.redirect(page, Use::Read), store_ / "ad" / "2.html");
  EXPECT_EQ(o.redirect(program_ / "ad", Use::Read), store_ / "ad");
}

TEST_F(Overlay, PathsElsewhereAreLeftAlone) {
  const ProgramOverlay o = overlay();
  const fs::path elsewhere[] = {
      dir_.path() / "usr" / "lib" / "lanyinbao2" / "ad",  // shares the directory's name as a prefix
      program_ / ".." / "other" / "file",
      program_.parent_path(),
      "ad/2.html",  // relative
      "/tmp/c/010.png",
  };
  for (const fs::path& path : elsewhere) {
    EXPECT_EQ(o.redirect(path, Use::Write), std::nullopt) << path;
    EXPECT_EQ(o.redirect(path, Use::Read), std::nullopt) << path;
  }
}

TEST_F(Overlay, AWritableProgramDirectoryIsUsedAsItIs) {
  const ProgramOverlay o = overlay(false);
  EXPECT_EQ(o.redirect(program_ / "ad" / "2.html", Use::Write), std::nullopt);
  EXPECT_FALSE(fs::exists(store_));
  EXPECT_EQ(ProgramOverlay({}, store_, true).redirect("/ad/2.html", Use::Write), std::nullopt)
      << "an unknown program directory redirects nothing";
}

}  // namespace
