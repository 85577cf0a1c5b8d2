// The runtime services that are not numbered commands: memory, errors, the
// program's life cycle and the declared DLL functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "runtime/abi.h"

namespace rt {

// Never null (the runtime ends the process on exhaustion).
void* alloc(size_t size);
void* resize(void* block, size_t size);
// Accepts null and pointers into the constant data.
void free(void* block);

[[noreturn]] void report_runtime_error(uint32_t code);

// Runs the registered clean-up and ends the process.
[[noreturn]] void exit_program(int32_t code);

void register_cleanup(abi::RoutineFn routine);
// Gives the array variable at `variable` a heap block of its own.
void unshare_array(void** variable);

uint32_t load_start_window(uint32_t window_id);
void run_message_loop();

// Calls declared function `index` with one pointer-sized word per argument.
uintptr_t call_dll(uint32_t index, std::initializer_list<uintptr_t> words);

}  // namespace rt
