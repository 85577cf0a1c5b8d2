// Runs a program file as a user would start it, with a given environment and
// its output in files; gives up (and kills it) after a time limit.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

struct ProcessResult {
  int status = -1;  // exit status; 1000 + the signal when killed; -1 when it did not start
  std::string out;
  std::string err;
};

// `env` is the child's whole environment ("NAME=value" entries); stdout and
// stderr go to files in `scratch`.
ProcessResult run_process(const std::filesystem::path& program, std::vector<std::string> env,
                          const std::filesystem::path& scratch,
                          std::chrono::seconds limit = std::chrono::seconds(60));

}  // namespace test_support
