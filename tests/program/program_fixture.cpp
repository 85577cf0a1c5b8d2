#include "tests/program/program_fixture.h"

#include <cstdlib>
#include <string>

#include "platform/core/binding/runtime_help.h"
#include "platform/core/binding/runtime_start.h"
#include "web/message_box.h"

namespace program_test {

const program::ConstLayout& ProgramFixture::constants() {
  static const program::ConstLayout layout = program::lay_out_constants();
  return layout;
}

const uint8_t* ProgramFixture::const_address(program::Const c) const {
  return constants().data.data() + constants().offsets[static_cast<size_t>(c)];
}

void ProgramFixture::SetUp() {
  RuntimeFixture::SetUp();
  const auto& data = constants().data;
  binding::start_runtime(data, binding::declared_functions(program::kDeclarations),
                         program_directory());
  services().runtime_help = &binding::runtime_help;
  words_.const_base = data.data();
  words_.window_list = &window_list_;
  words_.enum_windows_callback = reinterpret_cast<uintptr_t>(&EnumWindowsCallback);
  words_.start_window_id = abi::kMainWindowId;
  attach();
}

std::string ProgramFixture::program_directory() const {
  const char* directory = std::getenv("LYB_PROGRAM_DIR");
  return directory != nullptr ? directory : ".";
}

void ProgramFixture::attach() {
  words_.slot_words = rt::slot_words_of(services());
  program::attach(words_);
}

}  // namespace program_test
