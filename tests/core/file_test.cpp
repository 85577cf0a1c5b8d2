// Files on disk through the Windows path layer, with a private XDG_DATA_HOME.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/paths/paths.h"
#include "runtime/core_commands.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScopedEnv;
using test_support::TempDir;

std::string read_host_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string with_backslashes(std::string path) {
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

class FileTest : public test_support::RuntimeFixture {
 protected:
  TempDir dir_;
  ScopedEnv data_home_{"XDG_DATA_HOME", (dir_.path() / "data").string()};
};

TEST_F(FileTest, WriteThenReadBackByteForByte) {
  const std::string file = dir_ / "reply.bin";
  const uint8_t block[] = {1,    0,    0,    0,    9,    0,   0,   0,  0x00,
                           0xFF, '\r', '\n', 0xD6, 0xD0, ' ', 'e', 'n'};
  const std::string expected("\x00\xFF\r\n\xD6\xD0 en", 9);
  ASSERT_TRUE(rt::write_whole_file(file.c_str(), rt::BytesView(block)));
  EXPECT_EQ(read_host_file(file), expected);
  const rt::Bytes back = rt::read_whole_file(file.c_str());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(back.data()), back.size()), expected);
}

TEST_F(FileTest, ReplacingLeavesExactlyTheNewBytes) {
  const std::string file = dir_ / "page.html";
  ASSERT_TRUE(rt::write_whole_file(file.c_str(), rt::text_to_bytes("a long first version")));
  ASSERT_TRUE(rt::write_whole_file(file.c_str(), rt::text_to_bytes("short")));
  EXPECT_EQ(read_host_file(file), "short");
  ASSERT_TRUE(rt::write_whole_file(file.c_str(), rt::BytesView()));
  EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(FileTest, UnreadableGivesEmptySet) {
  EXPECT_EQ(rt::read_whole_file((dir_ / "missing.she").c_str()).block(), nullptr);
  EXPECT_EQ(rt::read_whole_file(dir_.path().c_str()).block(), nullptr);
  EXPECT_EQ(rt::read_whole_file("").block(), nullptr);
}

TEST_F(FileTest, WritingIntoMissingFolderFails) {
  EXPECT_FALSE(rt::write_whole_file((dir_ / "no/such/file").c_str(), rt::text_to_bytes("x")));
  EXPECT_FALSE(rt::write_whole_file(dir_.path().c_str(), rt::text_to_bytes("x")));
}

TEST_F(FileTest, BackslashesSeparate) {
  const std::string dir = with_backslashes(dir_ / "ad");
  ASSERT_TRUE(rt::make_directory(dir.c_str()));
  ASSERT_TRUE(rt::write_whole_file((dir + "\\2.html").c_str(), rt::text_to_bytes("<html>")));
  EXPECT_EQ(read_host_file(dir_.path() / "ad" / "2.html"), "<html>");
}

TEST_F(FileTest, MakeDirectoryReportsWhetherItExists) {
  const std::string dir = dir_ / "ad";
  EXPECT_TRUE(rt::make_directory(dir.c_str()));
  EXPECT_TRUE(fs::is_directory(dir));
  EXPECT_TRUE(rt::make_directory(dir.c_str()));
  EXPECT_FALSE(rt::make_directory((dir_ / "a/b/c").c_str()));
}

TEST_F(FileTest, DriveRootMapsToPrivateFolder) {
  ASSERT_TRUE(rt::write_whole_file("c:\\010.png", rt::text_to_bytes("PNG")));
  const fs::path drive = dir_.path() / "data" / "winapi" / "drive_c";
  EXPECT_EQ(read_host_file(drive / "010.png"), "PNG");
  struct stat info {};
  ASSERT_EQ(stat(drive.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  const rt::Bytes back = rt::read_whole_file("C:/010.png");
  EXPECT_EQ(back.size(), 3u);
}

struct HostPathRow {
  const char* windows;
  const char* expected;  // relative to the drive folder when it starts with "drive:"
};

class HostPathTest : public ::testing::TestWithParam<HostPathRow> {
 protected:
  TempDir dir_;
  ScopedEnv data_home_{"XDG_DATA_HOME", dir_.path().string()};
};

TEST_P(HostPathTest, MapsSeparatorsAndDrives) {
  std::string expected = GetParam().expected;
  if (expected.starts_with("drive:")) {
    expected = (dir_.path() / "winapi" / expected.substr(6)).string();
  }
  EXPECT_EQ(paths::host_path(GetParam().windows).string(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostPathTest,
    ::testing::Values(HostPathRow{"c:\\010.bmp", "drive:drive_c/010.bmp"},
                      HostPathRow{"C:/010.png", "drive:drive_c/010.png"},
                      HostPathRow{"D:\\a\\b", "drive:drive_d/a/b"},
                      HostPathRow{"c:\\", "drive:drive_c"}, HostPathRow{"c:", "drive:drive_c"},
                      HostPathRow{"/opt/app\\44.she", "/opt/app/44.she"},
                      HostPathRow{"ad/2.html", "ad/2.html"}, HostPathRow{"1:\\x", "1:/x"},
                      HostPathRow{"", ""},
                      // GBK names become UTF-8 file names.
                      HostPathRow{"ad\\\xca\xb9\xd3\xc3.html", "ad/\xe4\xbd\xbf\xe7\x94\xa8.html"},
                      // The second byte of \xd5\x5c is not a backslash.
                      HostPathRow{"c:\\\xd5\x5c\\x", "drive:drive_c/\xe8\xaa\xa0/x"}));

TEST(HostPath, AnsiPathIsTheWayBack) {
  EXPECT_EQ(paths::ansi_path("/opt/\xe4\xbd\xbf\xe7\x94\xa8"), "/opt/\xca\xb9\xd3\xc3");
  // A character GBK cannot hold becomes '?', as the ANSI code page does.
  EXPECT_EQ(paths::ansi_path("/opt/\xf0\x9f\x98\x80"), "/opt/?");
}

TEST(HostPath, RelativeDataHomeIsIgnored) {
  TempDir home;
  ScopedEnv home_env("HOME", home.path().string());
  ScopedEnv data_home("XDG_DATA_HOME", "relative/dir");
  EXPECT_EQ(paths::host_path("c:\\x").string(),
            (home.path() / ".local/share/winapi/drive_c/x").string());
}

TEST_F(FileTest, ProgramDirectoryIsTheRunningFilesFolder) {
  const rt::Text dir = rt::program_directory();
  EXPECT_EQ(dir.view(), fs::read_symlink("/proc/self/exe").parent_path().string());
  EXPECT_FALSE(dir.view().ends_with('/'));
}

}  // namespace
