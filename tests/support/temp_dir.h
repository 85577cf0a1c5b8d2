// A private directory for one test, removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace test_support {

class TempDir {
 public:
  // A new directory of a random name (mode 0700 where modes exist), as
  // mkdtemp makes one; portable so the same tests run on Windows. It is made
  // under $LYB_TEST_SCRATCH (the build tree's, set by CTest) where that is set,
  // so what a death test's child leaves behind stays inside the build tree.
  TempDir() {
    std::error_code error;
    const std::filesystem::path base = scratch_base(error);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && path_.empty() && !error; ++attempt) {
      const std::filesystem::path candidate = base / ("lyb-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate, error)) {
        std::filesystem::permissions(candidate, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, error);
        path_ = candidate;
      }
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }

 private:
  static std::filesystem::path scratch_base(std::error_code& error) {
    if (const char* scratch = getenv("LYB_TEST_SCRATCH"); scratch != nullptr && *scratch != '\0') {
      std::filesystem::create_directories(scratch, error);
      return scratch;
    }
    return std::filesystem::temp_directory_path(error);
  }

 public:
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) {
      old_ = old;
      had_old_ = true;
    }
    set(name, value.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (had_old_) {
      set(name_, old_.c_str());
    } else {
      unset(name_);
    }
  }

 private:
#ifdef _WIN32
  static void set(const char* name, const char* value) {
    _putenv_s(name, value);
  }
  static void unset(const char* name) {
    _putenv_s(name, "");
  }
#else
  static void set(const char* name, const char* value) {
    setenv(name, value, 1);
  }
  static void unset(const char* name) {
    unsetenv(name);
  }
#endif

  const char* name_;
  std::string old_;
  bool had_old_ = false;
};

}  // namespace test_support
