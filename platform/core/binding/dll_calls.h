// CallDllFunction: declared functions are found by name on first use, in the
// files the DLL host names for their library (the empty name searches the
// system DLLs). Each library exports a table of its functions with their
// argument-word counts, which every call is checked against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/binding/binder.h"

namespace binding {

// Replaces the declarations and forgets what was resolved; `directory` is
// where the libraries are looked for. Libraries opened before stay open.
void set_declarations(std::vector<DeclaredFunction> declarations, std::string directory);

// A missing library makes the call a no-op returning 0; so does a function
// found in none of the present libraries while one the name stands for is
// missing. A function missing from every library, or a word count that
// differs from the function's own, is runtime error 6.
uintptr_t call_dll_function(uint32_t index, uint32_t word_count, const uintptr_t* words);

}  // namespace binding
