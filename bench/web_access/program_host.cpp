#include "bench/web_access/program_host.h"

#include <span>

#include "image/const_table.h"
#include "image/start/bound_words.h"
#include "platform/core/binding/dll_calls.h"
#include "platform/core/binding/runtime_help.h"
#include "platform/core/binding/runtime_start.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "web/message_box.h"

namespace bench {
namespace {

abi::ArgRecord no_events(std::span<const abi::ArgRecord>) {
  return {};
}

}  // namespace

void host_program(const char* program_directory) {
  static const program::ConstLayout constants = program::lay_out_constants();
  static const abi::ServiceTable services = {
      .report_runtime_error = core::report_runtime_error,
      .call_dll_function = binding::call_dll_function,
      .call_core_command = core::call_core_command,
      .alloc_memory = core::alloc_memory,
      .resize_memory = core::resize_memory,
      .free_memory = core::free_memory,
      .runtime_help = binding::runtime_help,
  };
  static void* window_list = nullptr;

  binding::start_runtime(constants.data, binding::declared_functions(program::kDeclarations),
                         program_directory);
  core::register_core_command(abi::cmd::ProcessEvents, no_events);

  program::BoundWords words;
  words.const_base = constants.data.data();
  window_list = const_cast<uint8_t*>(
      constants.data.data() + constants.offsets[static_cast<size_t>(program::Const::EmptyArray)]);
  words.window_list = &window_list;
  words.enum_windows_callback = reinterpret_cast<uintptr_t>(&EnumWindowsCallback);
  words.start_window_id = abi::kMainWindowId;
  words.slot_words = rt::slot_words_of(services);
  program::attach(words);
}

}  // namespace bench
