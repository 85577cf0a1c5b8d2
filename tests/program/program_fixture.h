// The runtime fixture with the program's own words attached: the runtime
// started as the program starts it (the constants laid out as the image
// stores them, the program's declared functions found in the program
// directory), a `WindowList` variable, and the facade on the fixture's
// service table.
#pragma once

#include <string>

#include "image/const_table.h"
#include "image/start/bound_words.h"
#include "tests/support/runtime_fixture.h"

namespace program_test {

class ProgramFixture : public test_support::RuntimeFixture {
 protected:
  void SetUp() override;

  // Re-attaches after a test changed bound words or service entries.
  void attach();
  // Where the declared functions' libraries are: the build's program
  // directory (LYB_PROGRAM_DIR) unless a test names another.
  virtual std::string program_directory() const;

  program::BoundWords words_;
  void* window_list_ = nullptr;
  static const program::ConstLayout& constants();
  const uint8_t* const_address(program::Const c) const;
};

}  // namespace program_test
