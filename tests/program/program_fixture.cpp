#include "tests/program/program_fixture.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/core/binding/dll_calls.h"
#include "platform/core/binding/runtime_help.h"
#include "platform/core/memory/memory.h"
#include "web/message_box.h"

namespace program_test {

void declare_program_functions() {
  static const bool declared = [] {
    std::vector<binding::DeclaredFunction> declarations;
    for (const program::DllDeclaration& d : program::kDeclarations) {
      declarations.push_back({std::string(d.library), std::string(d.function)});
    }
    const char* directory = std::getenv("LYB_PROGRAM_DIR");
    binding::set_declarations(std::move(declarations), directory != nullptr ? directory : ".");
    return true;
  }();
  (void)declared;
}

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
  core::set_constant_range(data.data(), data.size());
  binding::set_constant_data(data.data(), data.size());
  services().runtime_help = &binding::runtime_help;
  words_.const_base = data.data();
  words_.window_list = &window_list_;
  words_.enum_windows_callback = reinterpret_cast<uintptr_t>(&EnumWindowsCallback);
  words_.start_window_id = abi::kMainWindowId;
  attach();
}

void ProgramFixture::TearDown() {
  core::set_constant_range(nullptr, 0);
  binding::set_constant_data(nullptr, 0);
  RuntimeFixture::TearDown();
}

void ProgramFixture::attach() {
  words_.slot_words = rt::slot_words_of(services());
  program::attach(words_);
}

}  // namespace program_test
