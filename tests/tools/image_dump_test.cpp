// lyb-image-dump run as a process on the files a user has.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/subprocess.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using test_support::ProcessResult;

std::vector<char> read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

class ImageDump : public ::testing::Test {
 protected:
  ProcessResult dump(std::vector<std::string> args) {
    // The subprocess runner takes no arguments: a shell passes them on.
    std::string command = "exec '" DUMP_TOOL "'";
    for (const std::string& a : args) {
      command += " '" + a + "'";
    }
    const fs::path script = scratch_.path() / "dump.sh";
    std::ofstream(script) << "#!/bin/sh\n" << command << "\n";
    fs::permissions(script, fs::perms::owner_all);
    return test_support::run_process(script, {"LANG=C.UTF-8"}, scratch_.path());
  }

  // A copy of the program file with the image's first byte changed.
  fs::path damaged_program_file() {
    std::vector<char> program = read_file(PROGRAM_FILE);
    const std::vector<char> image = read_file(IMAGE_FILE);
    const auto at = std::search(program.begin(), program.end(), image.begin(), image.end());
    EXPECT_NE(at, program.end()) << "the program file does not carry the image's bytes";
    if (at != program.end()) {
      *at ^= 0x5a;
    }
    const fs::path copy = scratch_.path() / "damaged";
    write_file(copy, program);
    return copy;
  }

  test_support::TempDir scratch_;
};

TEST_F(ImageDump, ProgramFileAndBareImagePrintTheSame) {
  const ProcessResult from_program = dump({PROGRAM_FILE});
  const ProcessResult from_image = dump({IMAGE_FILE});
  ASSERT_EQ(from_program.status, 0) << from_program.err;
  ASSERT_EQ(from_image.status, 0) << from_image.err;
  EXPECT_EQ(from_program.out, from_image.out);
  for (const char* part : {"header\n", "sections\n", "relocations\n", "form  window 0x52010001"}) {
    EXPECT_NE(from_program.out.find(part), std::string::npos) << part;
  }
}

TEST_F(ImageDump, EachPartAloneIsPartOfTheWhole) {
  const std::string whole = dump({PROGRAM_FILE}).out;
  for (const char* option : {"--header", "--sections", "--relocations", "--form"}) {
    const ProcessResult part = dump({option, PROGRAM_FILE});
    ASSERT_EQ(part.status, 0) << option << ": " << part.err;
    EXPECT_FALSE(part.out.empty()) << option;
    EXPECT_LT(part.out.size(), whole.size()) << option;
    EXPECT_NE(whole.find(part.out), std::string::npos) << option << " printed:\n" << part.out;
  }
}

TEST_F(ImageDump, OneControlByItsName) {
  // The call button of the dial pad: a button (kind 0x1000b) named 按钮16.
  const ProcessResult button = dump({"--control", "按钮16", PROGRAM_FILE});
  ASSERT_EQ(button.status, 0) << button.err;
  EXPECT_NE(button.out.find("kind 0x1000b  \"按钮16\""), std::string::npos) << button.out;
  EXPECT_EQ(std::count(button.out.begin(), button.out.end(), '\n'), 1) << button.out;

  const ProcessResult missing = dump({"--control", "按钮99", PROGRAM_FILE});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no control \"按钮99\""), std::string::npos) << missing.err;
}

TEST_F(ImageDump, HelpAndCommandLineMistakes) {
  const ProcessResult help = dump({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: lyb-image-dump", 0), 0u) << help.out;

  struct Row {
    std::vector<std::string> args;
    int status;
  };
  const Row rows[] = {
      {{}, 2},
      {{"--bogus", PROGRAM_FILE}, 2},
      {{"--header", "--form", PROGRAM_FILE}, 2},
      {{"--control"}, 2},
      {{PROGRAM_FILE, IMAGE_FILE}, 2},
      {{"/nonexistent/lanyinbao"}, 2},
  };
  for (const Row& row : rows) {
    const ProcessResult r = dump(row.args);
    EXPECT_EQ(r.status, row.status) << (row.args.empty() ? "(no arguments)" : row.args[0]);
    EXPECT_FALSE(r.err.empty());
  }
}

TEST_F(ImageDump, DamagedFilesAreRefusedWithTheReason) {
  const ProcessResult damaged = dump({damaged_program_file().string()});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("malformed image: "), std::string::npos) << damaged.err;
  EXPECT_NE(damaged.err.find("magic at 0x0"), std::string::npos) << damaged.err;

  // An ELF file that is no program file: the dump tool itself.
  const ProcessResult other = dump({DUMP_TOOL});
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.err.find("no section 'lyb_image'"), std::string::npos) << other.err;

  // The program file cut inside its ELF header.
  std::vector<char> program = read_file(PROGRAM_FILE);
  program.resize(40);
  const fs::path cut = scratch_.path() / "cut";
  write_file(cut, program);
  const ProcessResult short_file = dump({cut.string()});
  EXPECT_EQ(short_file.status, 1);
  EXPECT_NE(short_file.err.find("ELF header is cut short"), std::string::npos) << short_file.err;
}

}  // namespace
