#include "runtime/program_services.h"

#include <cstdlib>

#include "runtime/service_slots.h"

namespace rt {

using abi::Slot;
using detail::service;

void* alloc(size_t size) {
  return service<abi::AllocMemoryFn>(Slot::AllocMemory)(size);
}

void* resize(void* block, size_t size) {
  return service<abi::ResizeMemoryFn>(Slot::ResizeMemory)(block, size);
}

void free(void* block) {
  if (block != nullptr) {
    service<abi::FreeMemoryFn>(Slot::FreeMemory)(block);
  }
}

// The services below never return; should one do so anyway, stopping here is
// safer than running on past an error.
void report_runtime_error(uint32_t code) {
  service<abi::ReportRuntimeErrorFn>(Slot::ReportRuntimeError)(code);
  std::abort();
}

void exit_program(int32_t code) {
  service<abi::ExitProgramFn>(Slot::ExitProgram)(code);
  std::abort();
}

void register_cleanup(abi::RoutineFn routine) {
  service<abi::RuntimeHelpFn>(Slot::RuntimeHelp)(abi::help::RegisterCleanup,
                                                 reinterpret_cast<uintptr_t>(routine), 0);
}

void unshare_array(void** variable) {
  service<abi::RuntimeHelpFn>(Slot::RuntimeHelp)(abi::help::UnshareArray, 4,
                                                 reinterpret_cast<uintptr_t>(variable));
}

uint32_t load_start_window(uint32_t window_id) {
  return service<abi::LoadStartWindowFn>(Slot::LoadStartWindow)(window_id);
}

void run_message_loop() {
  service<abi::RunMessageLoopFn>(Slot::RunMessageLoop)(0);
}

uintptr_t call_dll(uint32_t index, std::initializer_list<uintptr_t> words) {
  return service<abi::CallDllFunctionFn>(Slot::CallDllFunction)(
      index, static_cast<uint32_t>(words.size()), words.begin());
}

}  // namespace rt
