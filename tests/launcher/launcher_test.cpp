// The launcher as a process: a test launcher copied into a temporary program
// directory, a private registry file and test runtimes in the places the
// launcher looks. Each row sets up one situation and checks the exit status,
// what the runtime reported and whether the error message appeared.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/subprocess.h"
#include "tests/winapi/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kMessage[] =
    "[Error] Not found the kernel library or the kernel library is invalid!\n";
constexpr char kUnloaded[] = "runtime unloaded\n";

enum class Runtime { None, Records, NoExport, Refuses, Returns, NotALibrary };
enum class Registration {
  None,
  Directory,
  DirectoryWithSeparator,
  DriveC,
  TenKiB,
  Empty,
  // A directory whose name ends in "誠", GBK D5 5C: its last byte is a backslash.
  EndingInGbkBackslashByte,
  // The same directory with a separator behind it.
  EndingInGbkBackslashByteWithSeparator,
};
enum class Loaded { Nothing, Beside, Installed };

const char* runtime_file(Runtime runtime) {
  switch (runtime) {
    case Runtime::Records:
      return RUNTIME_RECORDS;
    case Runtime::NoExport:
      return RUNTIME_NO_EXPORT;
    case Runtime::Refuses:
      return RUNTIME_REFUSES;
    case Runtime::Returns:
      return RUNTIME_RETURNS;
    default:
      return nullptr;
  }
}

using Outcome = test_support::ProcessResult;

// Runs the program with extra environment entries, stdout and stderr into
// files; gives up after 60 s.
Outcome run(const fs::path& program, const std::vector<std::string>& extra_env,
            const fs::path& scratch) {
  std::vector<std::string> env(extra_env);
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view item = *entry;
    const bool overridden = std::any_of(extra_env.begin(), extra_env.end(), [&](const auto& e) {
      return item.substr(0, item.find('=') + 1) == e.substr(0, e.find('=') + 1);
    });
    if (!overridden) {
      env.emplace_back(item);
    }
  }
  return test_support::run_process(program, std::move(env), scratch);
}

// A directory under `base` whose path is exactly `length` bytes long (or a
// plain one for 0), made of components short enough for the file system.
fs::path directory_of_length(const fs::path& base, const std::string& name, size_t length) {
  fs::path dir = base / name;
  while (length > 0 && dir.string().size() < length) {
    const size_t missing = length - dir.string().size() - 1;  // minus the separator
    dir /= std::string(std::min<size_t>(missing, 100), 'd');
  }
  fs::create_directories(dir);
  return dir;
}

void place(Runtime runtime, const fs::path& target) {
  fs::create_directories(target.parent_path());
  if (runtime == Runtime::NotALibrary) {
    std::ofstream(target) << "not a library";
  } else if (runtime != Runtime::None) {
    fs::copy_file(runtime_file(runtime), target);
  }
}

struct LaunchRow {
  const char* label;
  Runtime beside;
  Runtime installed;
  Registration registration;
  size_t program_dir_length;    // 0: a short directory
  size_t installed_dir_length;  // 0: a short directory
  int status;
  Loaded loaded;
  bool message;
};

void PrintTo(const LaunchRow& row, std::ostream* out) {
  *out << row.label;
}

class Launcher : public testing::TestWithParam<LaunchRow> {};

TEST_P(Launcher, StartsTheRuntimeOrSaysWhyNot) {
  const LaunchRow& row = GetParam();
  winapi_test::TempDir root;
  const fs::path program_dir = directory_of_length(root.path(), "program", row.program_dir_length);
  const fs::path program = program_dir / "lanyinbao";
  fs::copy_file(LAUNCHER_UNDER_TEST, program);
  place(row.beside, program_dir / "krnln.fnr");

  const fs::path data_home = root.path() / "data";
  fs::path installed_dir = directory_of_length(root.path(), "installed", row.installed_dir_length);
  std::string value = installed_dir.string();
  switch (row.registration) {
    case Registration::DirectoryWithSeparator:
      value += '/';
      break;
    case Registration::DriveC:
      installed_dir = data_home / "winapi" / "drive_c" / "Q" / "Lib";
      value = "C:\\Q\\Lib";
      break;
    case Registration::TenKiB:
      value = std::string(10 * 1024, 'x');
      break;
    case Registration::Empty:
      value.clear();
      break;
    case Registration::EndingInGbkBackslashByte:
    case Registration::EndingInGbkBackslashByteWithSeparator:
      installed_dir = root.path() / "installed" / "\xE8\xAA\xA0";  // UTF-8 of the character
      value = (root.path() / "installed").string() + "/\xD5\x5C";
      if (row.registration == Registration::EndingInGbkBackslashByteWithSeparator) {
        value += '\\';
      }
      break;
    default:
      break;
  }
  place(row.installed, installed_dir / "krnln.fne");
  if (row.registration != Registration::None) {
    std::string escaped;
    for (char c : value) {
      escaped += c == '\\' ? "\\\\" : std::string(1, c);
    }
    root.write("user.reg",
               "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Norvex\\Q\\Install]\n\"Path\"=\"" +
                   escaped + "\"\n");
  }

  const Outcome outcome = run(program,
                              {"WINAPI_REGISTRY=" + (root.path() / "user.reg").string(),
                               "WINAPI_MSGBOX=stderr", "XDG_DATA_HOME=" + data_home.string()},
                              root.path());
  EXPECT_EQ(outcome.status, row.status) << outcome.err;

  std::string expected_out;
  if (row.loaded != Loaded::Nothing) {
    const fs::path library =
        row.loaded == Loaded::Beside ? program_dir / "krnln.fnr" : installed_dir / "krnln.fne";
    expected_out =
        "GetNewSock key=1000\nentry image=launcher test image library=" + library.string() + "\n";
  } else if (row.beside == Runtime::Refuses) {
    expected_out = "GetNewSock key=1000\n";
  }
  EXPECT_EQ(outcome.out, expected_out);

  const size_t message_at = outcome.err.find(kMessage);
  EXPECT_EQ(message_at != std::string::npos, row.message) << outcome.err;
  if (row.message && (row.beside == Runtime::NoExport || row.beside == Runtime::Refuses)) {
    // The library was released before the message, not at exit.
    EXPECT_EQ(outcome.err.find(kUnloaded), message_at - (sizeof(kUnloaded) - 1)) << outcome.err;
  }
}

// With a 260-byte buffer: directory + '/' + "krnln.fne" + zero = 260 fits.
constexpr size_t kFits = 260 - 1 - 9 - 1;

INSTANTIATE_TEST_SUITE_P(
    Situations, Launcher,
    testing::Values(
        LaunchRow{"library_beside_wins", Runtime::Records, Runtime::Records,
                  Registration::Directory, 0, 0, 0, Loaded::Beside, false},
        LaunchRow{"registered_without_separator", Runtime::None, Runtime::Records,
                  Registration::Directory, 0, 0, 0, Loaded::Installed, false},
        LaunchRow{"registered_with_separator", Runtime::None, Runtime::Records,
                  Registration::DirectoryWithSeparator, 0, 0, 0, Loaded::Installed, false},
        LaunchRow{"registered_as_windows_path", Runtime::None, Runtime::Records,
                  Registration::DriveC, 0, 0, 0, Loaded::Installed, false},
        LaunchRow{"registered_directory_ending_in_a_gbk_character", Runtime::None, Runtime::Records,
                  Registration::EndingInGbkBackslashByte, 0, 0, 0, Loaded::Installed, false},
        LaunchRow{"registered_gbk_directory_with_separator", Runtime::None, Runtime::Records,
                  Registration::EndingInGbkBackslashByteWithSeparator, 0, 0, 0, Loaded::Installed,
                  false},
        LaunchRow{"unloadable_library_beside_falls_back", Runtime::NotALibrary, Runtime::Records,
                  Registration::Directory, 0, 0, 0, Loaded::Installed, false},
        LaunchRow{"no_get_new_sock", Runtime::NoExport, Runtime::None, Registration::None, 0, 0,
                  255, Loaded::Nothing, true},
        LaunchRow{"get_new_sock_refuses", Runtime::Refuses, Runtime::None, Registration::None, 0, 0,
                  255, Loaded::Nothing, true},
        LaunchRow{"entry_returns", Runtime::Returns, Runtime::None, Registration::None, 0, 0, 0,
                  Loaded::Beside, false},
        LaunchRow{"nothing_beside_no_registry", Runtime::None, Runtime::None, Registration::None, 0,
                  0, 255, Loaded::Nothing, true},
        LaunchRow{"registered_directory_without_library", Runtime::None, Runtime::None,
                  Registration::Directory, 0, 0, 255, Loaded::Nothing, true},
        LaunchRow{"empty_registered_directory", Runtime::None, Runtime::None, Registration::Empty,
                  0, 0, 255, Loaded::Nothing, true},
        LaunchRow{"registry_value_of_10_kib", Runtime::None, Runtime::None, Registration::TenKiB, 0,
                  0, 255, Loaded::Nothing, true},
        LaunchRow{"registered_directory_fills_the_buffer", Runtime::None, Runtime::Records,
                  Registration::Directory, 0, kFits, 0, Loaded::Installed, false},
        LaunchRow{"registered_directory_one_byte_too_long", Runtime::None, Runtime::Records,
                  Registration::Directory, 0, kFits + 1, 255, Loaded::Nothing, true},
        LaunchRow{"program_directory_of_150_bytes", Runtime::Records, Runtime::None,
                  Registration::None, 150, 0, 0, Loaded::Beside, false},
        LaunchRow{"program_directory_of_600_bytes", Runtime::Records, Runtime::None,
                  Registration::None, 600, 0, 0, Loaded::Beside, false}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
