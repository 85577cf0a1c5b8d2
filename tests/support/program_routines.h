// The program's event handlers by their place in the routine table, as
// binding resolves them from the program file; the start routines need the
// file's image and are not among them. Tests that build the window from the
// form without the program file hand the form this to run its routines.
#pragma once

#include <cstdint>

namespace test_support {

// Runs the handler at `code_offset`; a test failure when no handler is there.
void run_program_routine(uint32_t code_offset);

}  // namespace test_support
