// Files held in memory: written as text, read back line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/memory_file.h"
#include "tests/support/death_regex.h"
#include "tests/support/runtime_fixture.h"

namespace {

using test_support::RuntimeFixture;

struct LinesRow {
  const char* name;
  const char* written;
  std::vector<std::string> lines;
};

const LinesRow kLinesRows[] = {
    {"crlf",
     "HTTP/1.1 200 OK\r\nSet-Cookie: a=b\r\n\r\n",
     {"HTTP/1.1 200 OK", "Set-Cookie: a=b", ""}},
    {"lone_lf", "a\nb\n", {"a", "b"}},
    {"no_final_newline", "a\r\nb", {"a", "b"}},
    {"empty_lines_kept", "a\r\n\r\nb", {"a", "", "b"}},
    {"lone_cr_is_content", "a\rb\n", {"a\rb"}},
    {"empty_file", "", {}},
};

class ReadLineTest : public RuntimeFixture, public ::testing::WithParamInterface<LinesRow> {};

TEST_P(ReadLineTest, ReadsLinesUntilTheEnd) {
  rt::MemoryFile file;
  file.write(GetParam().written);
  file.seek_to_start();
  std::vector<std::string> lines;
  while (!file.at_end() && lines.size() <= GetParam().lines.size()) {
    lines.emplace_back(file.read_line().view());
  }
  EXPECT_EQ(lines, GetParam().lines);
  EXPECT_EQ(file.read_line().view(), "") << "reading past the end";
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadLineTest, ::testing::ValuesIn(kLinesRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RuntimeFixture, WritingAfterSeekOverwrites) {
  rt::MemoryFile file;
  file.write("hello\n");
  EXPECT_TRUE(file.at_end());
  file.seek_to_start();
  file.write("J");
  EXPECT_FALSE(file.at_end());
  file.seek_to_start();
  EXPECT_EQ(file.read_line().view(), "Jello");
}

TEST_F(RuntimeFixture, FilesAreSeparateAndNumbersNotReused) {
  int32_t first_number = 0;
  {
    rt::MemoryFile first;
    rt::MemoryFile second;
    first_number = first.number();
    EXPECT_NE(first.number(), second.number());
    first.write("one");
    second.write("two");
    first.seek_to_start();
    second.seek_to_start();
    EXPECT_EQ(second.read_line().view(), "two");
    EXPECT_EQ(first.read_line().view(), "one");
  }
  rt::MemoryFile third;
  EXPECT_GT(third.number(), first_number + 1);
}

TEST_F(RuntimeFixture, ClosedFileIsAnInternalFault) {
  const int32_t number = rt::open_memory_file();
  rt::close_file(number);
  EXPECT_DEATH(rt::read_line(number), "ReadLine: file " LYB_DIGITS_RE " is not open");
  EXPECT_DEATH(rt::close_file(number), "CloseFile: file " LYB_DIGITS_RE " is not open");
}

}  // namespace
