// The program file run as a user would start it: the launcher, the runtime
// core beside it and the image it binds.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;  // exit status, or -1 when killed
  std::string error_output;
};

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
  Outcome run(const fs::path& program) {
    std::vector<std::string> env = {"LYB_CLOSE_AFTER_MS=300",
                                    "QT_QPA_PLATFORM=offscreen",
                                    "WINAPI_MSGBOX=stderr",
                                    "HOME=" + home_.string(),
                                    "XDG_DATA_HOME=" + (home_ / "data").string(),
                                    "XDG_CONFIG_HOME=" + (home_ / "config").string(),
                                    "XDG_RUNTIME_DIR=" + home_.string()};
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string s = *e;
      if (s.starts_with("ASAN_") || s.starts_with("LSAN_") || s.starts_with("UBSAN_") ||
          s.starts_with("PATH=")) {
        env.push_back(s);
      }
    }
    std::vector<char*> envp;
    for (std::string& s : env) {
      envp.push_back(s.data());
    }
    envp.push_back(nullptr);
    const fs::path err = home_ / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    Outcome out;
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << path;
      return out;
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        ADD_FAILURE() << "the program did not end";
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    out.error_output = read_file(err);
    return out;
  }

  fs::path program_dir() const { return std::getenv("LYB_PROGRAM_DIR"); }

  // A copy of the program directory whose program file has `patch` applied
  // to its image bytes.
  fs::path patched_copy(const std::function<void(std::string& image)>& patch) {
    const fs::path dir = home_ / "bin";
    fs::create_directories(dir);
    for (const char* f : {"lanyinbao", "krnln.fnr", "libwinapi.so"}) {
      fs::copy_file(program_dir() / f, dir / f, fs::copy_options::overwrite_existing);
    }
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
  const Outcome out = run(program_dir() / "lanyinbao");
  EXPECT_EQ(out.status, 0) << out.error_output;
  EXPECT_EQ(out.error_output.find("krnln:"), std::string::npos) << out.error_output;
  EXPECT_EQ(out.error_output.find("runtime error"), std::string::npos) << out.error_output;
  EXPECT_EQ(out.error_output.find("LeakSanitizer"), std::string::npos) << out.error_output;
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
  const Outcome out = run(patched_copy(GetParam().patch));
  EXPECT_EQ(out.status, 5);
  EXPECT_NE(out.error_output.find(std::string("krnln: the program cannot be started: ")),
            std::string::npos)
      << out.error_output;
  EXPECT_NE(out.error_output.find(GetParam().message), std::string::npos) << out.error_output;
}

INSTANTIATE_TEST_SUITE_P(OneFieldEach, MalformedImage, ::testing::ValuesIn(kPatches),
                         [](const auto& info) {
                           std::string n = info.param.what;
                           std::replace(n.begin(), n.end(), ' ', '_');
                           return n;
                         });

}  // namespace
