// The Windows launcher as a process: a test launcher copied into a temporary
// program directory, test runtimes beside it or in a directory the real
// registry names (HKCU\Software\Norvex\Q\Install, value Path). When neither
// loads, the error box must appear; the test reads it and presses OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr char kInstallKey[] = "Software\\Norvex\\Q\\Install";
constexpr char kMessage[] = "Not found the kernel library or the kernel library is invalid!";
constexpr auto kPatience = std::chrono::seconds(60);

struct Outcome {
  DWORD status = 0;
  std::string out;
  std::optional<std::string> message;  // the error box's text, if one appeared
};

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct BoxSearch {
  DWORD process_id;
  HWND found = nullptr;
};

BOOL CALLBACK look_for_error_box(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char title[16] = {};
  GetWindowTextA(window, title, sizeof title);
  if (owner == search->process_id && std::string(title) == "Error") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The error box the process shows, found by its title and owner process.
HWND error_box(DWORD process_id) {
  BoxSearch search{process_id};
  EnumWindows(&look_for_error_box, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Runs the program with stdout into a file; answers an error box with OK.
Outcome run(const fs::path& program, const fs::path& scratch) {
  const fs::path out_file = scratch / "stdout.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Handle out(CreateFileW(out_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out.get();
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  std::wstring command = L"\"" + program.wstring() + L"\"";
  Outcome outcome;
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      scratch.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
    return outcome;
  }
  Handle process(info.hProcess);
  Handle thread(info.hThread);
  out.reset();
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (WaitForSingleObject(process.get(), 50) == WAIT_TIMEOUT) {
    if (std::chrono::steady_clock::now() > deadline) {
      TerminateProcess(process.get(), 99);
      ADD_FAILURE() << "the launcher did not end within " << kPatience.count() << " s";
      break;
    }
    if (HWND box = error_box(info.dwProcessId); box != nullptr && !outcome.message) {
      char text[256] = {};
      // A message box's text is its static control of id 0xFFFF.
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      outcome.message = text;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  GetExitCodeProcess(process.get(), &outcome.status);
  std::ifstream in(out_file, std::ios::binary);
  outcome.out.assign(std::istreambuf_iterator<char>(in), {});
  return outcome;
}

// Sets the registered installation directory for the life of the object and
// puts back what was there before.
class Registration {
 public:
  explicit Registration(const std::string& path) {
    RegCreateKeyExA(HKEY_CURRENT_USER, kInstallKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                    &key_, nullptr);
    char old[MAX_PATH] = {};
    DWORD size = sizeof old;
    if (RegQueryValueExA(key_, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS) {
      old_ = std::string(old);
    }
    RegSetValueExA(key_, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
  }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;
  ~Registration() {
    if (old_) {
      RegSetValueExA(key_, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_->c_str()),
                     static_cast<DWORD>(old_->size() + 1));
    } else {
      RegDeleteValueA(key_, "Path");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  std::optional<std::string> old_;
};

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(root_.path().empty());
    fs::create_directories(program_dir_);
    fs::copy_file(LAUNCHER_UNDER_TEST, program_);
  }

  std::string expected_out(const fs::path& library) const {
    return "GetNewSock key=1000\r\nentry image=launcher test image library=" + library.string() +
           "\r\n";
  }

  test_support::TempDir root_;
  fs::path program_dir_ = root_.path() / "program";
  fs::path program_ = program_dir_ / "lanyinbao.exe";
  fs::path installed_dir_ = root_.path() / "installed";
};

TEST_F(Launcher, TheRuntimeBesideTheProgramIsLoadedFirst) {
  fs::copy_file(RUNTIME_RECORDS, program_dir_ / "krnln.fnr");
  fs::create_directories(installed_dir_);
  fs::copy_file(RUNTIME_RECORDS, installed_dir_ / "krnln.fne");
  const Registration registered(installed_dir_.string());
  const Outcome outcome = run(program_, root_.path());
  EXPECT_EQ(outcome.status, 0u);
  EXPECT_EQ(outcome.out, expected_out(program_dir_ / "krnln.fnr"));
  EXPECT_FALSE(outcome.message);
}

TEST_F(Launcher, WithoutOneBesideTheRegisteredInstallationsIsLoaded) {
  fs::create_directories(installed_dir_);
  fs::copy_file(RUNTIME_RECORDS, installed_dir_ / "krnln.fne");
  const Registration registered(installed_dir_.string() + "\\");
  const Outcome outcome = run(program_, root_.path());
  EXPECT_EQ(outcome.status, 0u);
  EXPECT_EQ(outcome.out, expected_out(installed_dir_ / "krnln.fne"));
  EXPECT_FALSE(outcome.message);
}

TEST_F(Launcher, ARuntimeWithoutGetNewSockIsNoRuntime) {
  fs::copy_file(RUNTIME_NO_EXPORT, program_dir_ / "krnln.fnr");
  const Outcome outcome = run(program_, root_.path());
  EXPECT_EQ(outcome.status, static_cast<DWORD>(-1));
  EXPECT_EQ(outcome.message, kMessage);
}

TEST_F(Launcher, WithNeitherItSaysSoAndExitsWithMinusOne) {
  const Registration registered((root_.path() / "nothing_here").string());
  const Outcome outcome = run(program_, root_.path());
  EXPECT_EQ(outcome.status, static_cast<DWORD>(-1));
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.message, kMessage);
}

}  // namespace
