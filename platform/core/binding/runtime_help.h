// RuntimeHelp and ExitProgram: the registered clean-up, arrays the program
// wants to own, and the end of the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "runtime/abi.h"

namespace binding {

uintptr_t runtime_help(uint32_t function, uintptr_t arg1, uintptr_t arg2);

// Afterwards `*variable` holds a heap block of its own: a shared constant
// (an array inside the memory service's constant range) or null is replaced
// by a copy. The program's arrays hold pointers, whose
// stored width is 4; in memory each element is pointer-sized.
void unshare_array(uint32_t element_width, void** variable);

// Runs the registered clean-up routines once, in the order registered.
void run_cleanup();

// What ExitProgram does before the process ends (the window's shut-down).
void set_before_exit(std::function<void()> before_exit);

[[noreturn]] void exit_program(int32_t code);

}  // namespace binding
