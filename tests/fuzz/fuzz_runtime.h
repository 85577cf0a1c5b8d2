// The runtime as the program's web routines see it, set up once per process
// without a test framework: the real memory, error and core-command entries,
// the program's constants where the bound image would hold them, and Windows
// calls handed to a recorder instead of a library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/const_table.h"

namespace fuzz_targets {

struct RecordedCall {
  program::Dll function;
  std::vector<std::string> texts;  // every argument word read as a zero-ended text
};

// Attaches on the first call; later calls only clear the recorded calls.
void use_program_runtime();

const std::vector<RecordedCall>& recorded_calls();

// Blocks the runtime has handed out and not had back.
size_t live_blocks();

}  // namespace fuzz_targets
