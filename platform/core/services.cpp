#include "platform/core/services.h"

#include "platform/core/binding/dll_calls.h"
#include "platform/core/binding/runtime_help.h"
#include "platform/core/close_hook.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "platform/core/window/window_api.h"
#include "platform/support/library_commands.h"

namespace core {

const abi::ServiceTable& services() {
  static const abi::ServiceTable table = {
      .report_runtime_error = &core::report_runtime_error,
      .call_dll_function = &binding::call_dll_function,
      .call_library_command = &support::call_library_command,
      .call_core_command = &core::call_core_command,
      .read_property = &core::window::read_property,
      .write_property = &core::window::write_property,
      .alloc_memory = &core::alloc_memory,
      .resize_memory = &core::resize_memory,
      .free_memory = &core::free_memory,
      .exit_program = &binding::exit_program,
      .run_message_loop = [](uint32_t) { core::window::run_message_loop(); },
      .load_start_window = &core::load_start_window,
      .runtime_help = &binding::runtime_help,
  };
  return table;
}

}  // namespace core
