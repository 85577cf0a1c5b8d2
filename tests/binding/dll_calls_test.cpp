#include <gtest/gtest.h>

#include "platform/core/binding/dll_calls.h"
#include "platform/core/errors/errors.h"

namespace {

void declare(std::vector<binding::DeclaredFunction> d) {
  binding::set_declarations(std::move(d), TEST_DLL_DIR);
}

TEST(CallDllFunction, CallsTheFunctionWithItsWords) {
  declare({{"testdll.dll", "Add"}});
  const uint64_t words[] = {40, 2};
  EXPECT_EQ(binding::call_dll_function(0, 2, words), 42u);
  EXPECT_EQ(binding::call_dll_function(0, 2, words), 42u);  // resolved once, called again
}

TEST(CallDllFunction, AMissingLibraryMakesTheCallANoOp) {
  declare({{"SkinH_EL.dll", "SkinH_AttachRes"}});
  const uint64_t words[] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(binding::call_dll_function(0, 6, words), 0u);
}

TEST(CallDllFunctionDeathTest, AWordCountThatDiffersIsRuntimeError6) {
  declare({{"testdll.dll", "Add"}});
  const uint64_t words[] = {1, 2, 3};
  EXPECT_EXIT(binding::call_dll_function(0, 3, words),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus),
              "Add takes 2 argument words, the call passed 3(.|\n)*runtime error 6");
}

TEST(CallDllFunctionDeathTest, AFunctionMissingFromAPresentLibraryIsRuntimeError6) {
  declare({{"testdll.dll", "Nope"}});
  EXPECT_EXIT(binding::call_dll_function(0, 0, nullptr),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus),
              "declared function Nope is not in testdll.dll(.|\n)*runtime error 6");
}

TEST(CallDllFunctionDeathTest, AnIndexWithoutDeclarationIsAnInternalFault) {
  declare({});
  EXPECT_EXIT(binding::call_dll_function(3, 0, nullptr),
              ::testing::ExitedWithCode(core::kFatalErrorStatus), "no declared function 3");
}

struct LibraryRow {
  const char* declared;
  const char* file;
};

class LibraryFiles : public ::testing::TestWithParam<LibraryRow> {};

TEST_P(LibraryFiles, SystemNamesLeadToTheStandIns) {
  EXPECT_EQ(binding::library_file(GetParam().declared, "/opt/p"), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Names, LibraryFiles,
                         ::testing::Values(LibraryRow{"", "/opt/p/libwinapi.so"},
                                           LibraryRow{"wininet.dll", "/opt/p/libwinapi.so"},
                                           LibraryRow{"kernel32.dll", "/opt/p/libwinapi.so"},
                                           LibraryRow{"KERNEL32", "/opt/p/libwinapi.so"},
                                           LibraryRow{"user32.dll", "/opt/p/libwinapi.so"},
                                           LibraryRow{"SkinH_EL.dll", "/opt/p/SkinH_EL.dll"},
                                           LibraryRow{"advapi32.dll", "/opt/p/advapi32.dll"}));

}  // namespace
