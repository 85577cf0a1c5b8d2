// The program file run as a user would start it: the launcher, the runtime
// core beside it and the image it binds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/subprocess.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() / ("lyb-run-" + std::to_string(getpid()));
    fs::create_directories(home_);
  }
  void TearDown() override { fs::remove_all(home_); }

  // Runs the program with the close hook; gives up (and kills it) after 60 s.
  test_support::ProcessResult run(const fs::path& program, std::vector<std::string> env = {}) {
    env.insert(
        env.end(),
        {"LYB_CLOSE_AFTER_MS=300", "QT_QPA_PLATFORM=offscreen", "WINAPI_MSGBOX=stderr",
         "HOME=" + home_.string(), "XDG_DATA_HOME=" + (home_ / "data").string(),
         "XDG_CONFIG_HOME=" + (home_ / "config").string(), "XDG_RUNTIME_DIR=" + home_.string()});
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string s = *e;
      if (s.starts_with("ASAN_") || s.starts_with("LSAN_") || s.starts_with("UBSAN_") ||
          s.starts_with("PATH=")) {
        env.push_back(s);
      }
    }
    return test_support::run_process(program, std::move(env), home_);
  }

  fs::path program_dir() const { return std::getenv("LYB_PROGRAM_DIR"); }

  // A copy of the program directory without the files in `left_out`; gives
  // the copied program file.
  fs::path copy_without(const std::vector<std::string>& left_out) {
    const fs::path dir = home_ / "bin";
    fs::create_directories(dir);
    for (const char* f : {"lanyinbao", "krnln.fnr", "kernel32.dll.so", "user32.dll.so",
                          "advapi32.dll.so", "wininet.dll.so"}) {
      if (std::find(left_out.begin(), left_out.end(), f) == left_out.end()) {
        fs::copy_file(program_dir() / f, dir / f, fs::copy_options::overwrite_existing);
      }
    }
    return dir / "lanyinbao";
  }

  // A copy of the program directory whose program file has `patch` applied
  // to its image bytes.
  fs::path patched_copy(const std::function<void(std::string& image)>& patch) {
    const fs::path dir = copy_without({}).parent_path();
    std::string program = read_file(dir / "lanyinbao");
    const std::string image = read_file(LYB_IMAGE_BIN);
    const size_t at = program.find(image);
    EXPECT_NE(at, std::string::npos) << "the image is not in the program file";
    std::string copy = image;
    patch(copy);
    program.replace(at, image.size(), copy);
    std::ofstream(dir / "lanyinbao", std::ios::binary | std::ios::trunc) << program;
    fs::permissions(dir / "lanyinbao", fs::perms::owner_all);
    return dir / "lanyinbao";
  }

  fs::path home_;
};

TEST_F(ProgramRun, ClosingTheWindowEndsTheProgramWithStatusZero) {
  const test_support::ProcessResult out = run(program_dir() / "lanyinbao");
  EXPECT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(out.err.find("krnln:"), std::string::npos) << out.err;
  EXPECT_EQ(out.err.find("runtime error"), std::string::npos) << out.err;
  EXPECT_EQ(out.err.find("LeakSanitizer"), std::string::npos) << out.err;
}

// The dynamic loader names every file it loads. A run that makes no request
// and shows no message loads kernel32 and the runtime only: user32,
// advapi32 and wininet (with libcurl) wait for their first call.
TEST_F(ProgramRun, ARunWithoutRequestsOrMessagesLoadsOnlyKernel32AndTheRuntime) {
  const test_support::ProcessResult out = run(program_dir() / "lanyinbao", {"LD_DEBUG=files"});
  EXPECT_EQ(out.status, 0) << out.err;
  for (const char* loaded : {"kernel32.dll.so", "krnln.fnr"}) {
    EXPECT_NE(out.err.find(loaded), std::string::npos) << loaded << " was not loaded";
  }
  for (const char* waiting : {"user32.dll.so", "advapi32.dll.so", "wininet.dll.so", "libcurl"}) {
    EXPECT_EQ(out.err.find(waiting), std::string::npos) << waiting << " was loaded";
  }
}

struct MissingRow {
  std::vector<std::string> left_out;
  int status;
  const char* message;  // nullptr: none expected
};

// A stand-in the launcher calls must be there when it calls it, or the
// program ends as the dynamic loader ends one without a library it names.
TEST_F(ProgramRun, AMissingStandInEndsTheProgramOnlyWhenTheLauncherCallsIt) {
  const MissingRow rows[] = {
      {{"kernel32.dll.so"},
       127,
       "lanyinbao: error while loading shared libraries: kernel32.dll.so: cannot open"},
      // Without the runtime beside it, the launcher reads the registry.
      {{"krnln.fnr", "advapi32.dll.so"},
       127,
       "lanyinbao: error while loading shared libraries: advapi32.dll.so: cannot open"},
      {{"user32.dll.so", "advapi32.dll.so"}, 0, nullptr},
  };
  for (const MissingRow& row : rows) {
    fs::remove_all(home_ / "bin");
    const test_support::ProcessResult out = run(copy_without(row.left_out));
    SCOPED_TRACE(row.left_out.front());
    EXPECT_EQ(out.status, row.status) << out.err;
    if (row.message != nullptr) {
      EXPECT_NE(out.err.find(row.message), std::string::npos) << out.err;
    } else {
      EXPECT_EQ(out.err.find("error while loading"), std::string::npos) << out.err;
    }
  }
}

struct PatchRow {
  const char* what;
  std::function<void(std::string&)> patch;
  const char* message;
};

void put_u32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<char>(v >> (8 * i));
  }
}

const PatchRow kPatches[] = {
    {"magic", [](std::string& b) { put_u32(b, 0, 0x4a58); },
     "malformed program image: header: magic at 0x0 is 0x4a58, expected 0x4a57"},
    {"routine name",
     [](std::string& b) { b[b.find(std::string("OnKey0Clicked\0", 14)) + 12] = 'e'; },
     "routine 'OnKey0Clickee' (code offset 0x0) is missing from the program file"},
    {"library identifier", [](std::string& b) { b[b.find("d09f2340818511d3")] = 'e'; },
     "names an unknown library 'krnln' (e09f2340818511d396f6aaf844c7e325)"},
};

class MalformedImage : public ProgramRun, public ::testing::WithParamInterface<PatchRow> {};

TEST_P(MalformedImage, IsRefusedWithAMessage) {
  const test_support::ProcessResult out = run(patched_copy(GetParam().patch));
  EXPECT_EQ(out.status, 5);
  EXPECT_NE(out.err.find(std::string("krnln: the program cannot be started: ")), std::string::npos)
      << out.err;
  EXPECT_NE(out.err.find(GetParam().message), std::string::npos) << out.err;
}

INSTANTIATE_TEST_SUITE_P(OneFieldEach, MalformedImage, ::testing::ValuesIn(kPatches),
                         [](const auto& info) {
                           std::string n = info.param.what;
                           std::replace(n.begin(), n.end(), ' ', '_');
                           return n;
                         });

}  // namespace
