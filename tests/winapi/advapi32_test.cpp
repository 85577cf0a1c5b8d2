// Registry reading through advapi32.dll.so over a private WINAPI_REGISTRY file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/winapi/advapi32/advapi32.h"
#include "tests/winapi/temp_dir.h"

namespace {

constexpr char kKey[] = "Software\\Norvex\\Q\\Install";

class Advapi32 : public testing::Test {
 protected:
  void use_file(const std::string& text) {
    const auto file = dir_.write("user.reg", text);
    ::setenv("WINAPI_REGISTRY", file.c_str(), 1);
  }

  HKEY open(const char* subkey) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key), ERROR_SUCCESS);
    return key;
  }

  void TearDown() override { ::unsetenv("WINAPI_REGISTRY"); }

  winapi_test::TempDir dir_;
};

const std::string kHive =
    "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Norvex\\Q\\Install]\n"
    "\"Path\"=\"/opt/q\"\n\"Count\"=dword:00000007\n@=\"default\"\n";

TEST_F(Advapi32, OpensKeysWithoutRegardToCase) {
  use_file(kHive);
  struct Row {
    const char* subkey;
    LSTATUS status;
  } rows[] = {{kKey, ERROR_SUCCESS},
              {"SOFTWARE\\norvex\\q\\install", ERROR_SUCCESS},
              {"Software\\Norvex", ERROR_SUCCESS},
              {"Software\\Norvex\\Q\\Install\\", ERROR_SUCCESS},
              {"Software\\Norvex\\Q\\Install\\Sub", ERROR_FILE_NOT_FOUND},
              {"Software\\Other", ERROR_FILE_NOT_FOUND},
              {"\\Software", ERROR_FILE_NOT_FOUND}};
  for (const Row& row : rows) {
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, row.subkey, 0, KEY_READ, &key), row.status)
        << row.subkey;
    if (row.status == ERROR_SUCCESS) {
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    } else {
      EXPECT_EQ(key, nullptr);
    }
  }
}

TEST_F(Advapi32, QueriesValuesAsWindowsDoes) {
  use_file(kHive);
  HKEY key = open(kKey);
  char data[16] = {};
  DWORD type = 0;
  DWORD size = sizeof(data);
  ASSERT_EQ(RegQueryValueExA(key, "path", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 7u);
  EXPECT_STREQ(data, "/opt/q");

  // Too small by one: nothing written, the size needed reported.
  char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  size = sizeof(small);
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(small[0], 'x');

  // Size query without a buffer.
  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 7u);

  DWORD number = 0;
  size = sizeof(number);
  EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(number, 7u);

  size = sizeof(data);
  EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(data, "default");

  size = sizeof(data);
  EXPECT_EQ(
      RegQueryValueExA(key, "Missing", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
      ERROR_FILE_NOT_FOUND);
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Path", &reserved, nullptr, nullptr, &size),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(data), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Advapi32, ClosedAndMadeUpHandlesAreRefused) {
  use_file(kHive);
  HKEY key = open(kKey);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  HKEY sub = nullptr;
  EXPECT_EQ(RegOpenKeyExA(key, "", 0, KEY_READ, &sub), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x12345), "", 0, KEY_READ, &sub),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  // A new key never gets the closed one's handle back.
  HKEY again = open(kKey);
  EXPECT_NE(again, key);
  EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
}

TEST_F(Advapi32, SubkeysOpenRelativeToAnOpenKey) {
  use_file(kHive);
  HKEY parent = open("Software\\Norvex");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(parent, "Q\\Install", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 7u);
  RegCloseKey(key);
  RegCloseKey(parent);
}

TEST_F(Advapi32, MissingOrMalformedFilesHoldNoKeys) {
  static const char kBinary[] =
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Norvex\\Q\\Install]\n\0\xff";
  const std::string files[] = {
      "",
      "REGEDIT5\n[HKEY_CURRENT_USER\\Software\\Norvex\\Q\\Install]\n",
      kHive + "\"Bad\"=\"unterminated\n",
      std::string(kBinary, sizeof(kBinary) - 1),
  };
  for (const std::string& text : files) {
    use_file(text);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND)
        << text;
  }
  ::setenv("WINAPI_REGISTRY", (dir_.path() / "absent.reg").c_str(), 1);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Advapi32, DefaultFileFollowsXdgConfigHome) {
  dir_.write("config/winapi/user.reg", kHive);
  ::unsetenv("WINAPI_REGISTRY");
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("XDG_CONFIG_HOME", (dir_.path() / "config").c_str(), 1);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  if (old != nullptr) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
