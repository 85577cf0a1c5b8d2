// CallDllFunction: declared functions are found by name on first use. The
// system library names lead to libwinapi.so in the program directory; any
// other name is a file beside the program. Each library exports a table of
// its functions with their argument-word counts, which every call is checked
// against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/binding/binder.h"

namespace binding {

// Replaces the declarations (and forgets what was resolved); `directory` is
// where the libraries are looked for.
void set_declarations(std::vector<DeclaredFunction> declarations, std::string directory);

// A missing library makes the call a no-op returning 0. A function missing
// from a present library, or a word count that differs from the function's
// own, is runtime error 6.
uint64_t call_dll_function(uint32_t index, uint32_t word_count, const uint64_t* words);

// The file a declared library name stands for.
std::string library_file(const std::string& library, const std::string& directory);

}  // namespace binding
