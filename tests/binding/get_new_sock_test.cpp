#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/abi.h"

namespace {

TEST(GetNewSock, GivesTheEntryOnlyForItsKey) {
  const std::string file = std::string(std::getenv("LYB_PROGRAM_DIR")) + "/krnln.fnr";
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto get = reinterpret_cast<abi::GetNewSockFn>(dlsym(library, "GetNewSock"));
  ASSERT_NE(get, nullptr);
  EXPECT_NE(get(1000), nullptr);
  EXPECT_EQ(get(999), nullptr);
  EXPECT_EQ(get(0), nullptr);
  EXPECT_EQ(get(0xFFFFFFFF), nullptr);
  dlclose(library);
}

}  // namespace
