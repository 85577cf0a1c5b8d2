// Hosts the program side outside the runtime: the real memory, error and
// core-command services, declared functions resolved in the build's stand-in
// DLLs, and the program's constants, so that the web access routine
// runs as it does in the program.
#pragma once

namespace bench {

// Once per process; ProcessEvents does nothing (there is no window).
void host_program(const char* program_directory);

}  // namespace bench
