// The runtime fixture with the program's own words attached: the constants
// laid out as the image stores them (and registered as the constant range),
// a `WindowList` variable, and the facade on the fixture's service table.
#pragma once

#include "image/const_table.h"
#include "image/start/bound_words.h"
#include "tests/support/runtime_fixture.h"

namespace program_test {

class ProgramFixture : public test_support::RuntimeFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Re-attaches after a test changed bound words or service entries.
  void attach();

  program::BoundWords words_;
  void* window_list_ = nullptr;
  static const program::ConstLayout& constants();
  const uint8_t* const_address(program::Const c) const;
};

// Declares the program's DLL functions to the runtime's CallDllFunction, found
// in the build's program directory, once per process.
void declare_program_functions();

}  // namespace program_test
