#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/paths/paths.h"

namespace {

// "c:\数据\一.txt" in GBK: 数 CA FD, 据 BE DD, 一 D2 BB.
constexpr char kGbkPath[] = "c:\\\xCA\xFD\xBE\xDD\\\xD2\xBB.txt";
constexpr wchar_t kWidePath[] = L"c:\\\u6570\u636E\\\u4E00.txt";

TEST(HostPath, AnsiTextBecomesTheSamePathInUtf16) {
  EXPECT_EQ(paths::host_path(kGbkPath).native(), kWidePath);
  EXPECT_EQ(paths::host_path("c:/a/b.txt", paths::Use::Write).native(), L"c:/a/b.txt");
  EXPECT_EQ(paths::host_path("").native(), L"");
}

TEST(AnsiPath, Utf16BecomesGbkAndWhatGbkCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(paths::ansi_path(std::filesystem::path(kWidePath)), kGbkPath);
  // U+00C0 (A grave) and U+0E01 (Thai ko kai) have no GBK character; no
  // look-alike ("A") stands in for them.
  EXPECT_EQ(paths::ansi_path(std::filesystem::path(L"c:\\\u00c0\u0e01.txt")), "c:\\??.txt");
}

TEST(DriveDirectory, IsTheDrivesRoot) {
  EXPECT_EQ(paths::drive_directory('c').native(), L"C:\\");
  EXPECT_EQ(paths::drive_directory('Z').native(), L"Z:\\");
}

TEST(ProgramFile, IsThisTestProgramAndItsDirectoryHasNoTrailingSeparator) {
  const std::filesystem::path program = paths::program_file_path();
  EXPECT_EQ(program.filename(), L"paths_test.exe");
  EXPECT_TRUE(std::filesystem::exists(program));
  const std::string dir = paths::program_directory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '\\');
  EXPECT_EQ(paths::host_path(dir), program.parent_path());
}

}  // namespace
