// The runtime's way in: the launcher asks GetNewSock for the entry and hands
// it the program image. The entry binds the image, sets up the services and
// runs ProgramEntry, which ends the process through ExitProgram.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/core/binding/binder.h"
#include "platform/core/binding/dll_host.h"
#include "platform/core/binding/runtime_help.h"
#include "platform/core/binding/runtime_start.h"
#include "platform/core/errors/errors.h"
#include "platform/core/services.h"
#include "platform/core/window/window_api.h"
#include "platform/paths/paths.h"

namespace {

// Status of a process whose image could not be bound.
constexpr int kImageRefusedStatus = 5;

std::unique_ptr<binding::BoundProgram>& bound_program() {
  static std::unique_ptr<binding::BoundProgram> program;
  return program;
}

[[noreturn]] void refuse(const std::string& why) {
  std::fprintf(stderr, "krnln: the program cannot be started: %s\n", why.c_str());
  std::exit(kImageRefusedStatus);
}

void invoke_routine(uint32_t code_offset) {
  const auto& routines = bound_program()->routines;
  const auto it = routines.find(code_offset);
  if (it == routines.end()) {
    core::fatal_error("no routine at code offset " + std::to_string(code_offset));
  }
  it->second();
}

void run_program(void* image) {
  const std::span<uint8_t> extent = binding::dll_host::loaded_extent(image);
  if (extent.empty()) {
    refuse("the program image does not lie in a loaded file");
  }
  binding::BindResult bound =
      binding::bind_image(extent, core::services(), &binding::dll_host::find_program_routine);
  if (!bound.program) {
    refuse("malformed program image: " + bound.error);
  }
  bound_program() = std::move(bound.program);
  binding::BoundProgram& program = *bound_program();
  binding::start_runtime(program.const_data, program.declarations,
                         paths::program_file_path().parent_path().string());
  binding::set_before_exit(&core::window::shut_down);
  core::window::register_window_commands();
  core::window::attach_form(program.form, &invoke_routine);
  program.program_entry();
}

}  // namespace

#ifdef _WIN32
#define LYB_RUNTIME_EXPORT __declspec(dllexport)
#else
#define LYB_RUNTIME_EXPORT __attribute__((visibility("default")))
#endif

extern "C" LYB_RUNTIME_EXPORT abi::RuntimeEntryFn GetNewSock(uint32_t key) {
  return key == abi::kGetNewSockKey ? &run_program : nullptr;
}
