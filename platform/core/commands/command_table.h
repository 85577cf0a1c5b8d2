// The numbered core commands (slot CallCoreCommand). The table starts with the
// text, byte-set and file commands; the window module adds its own.
//
// How the runtime's own commands read their records:
// - a null text is the empty text, a null byte set the empty set;
// - an omitted optional argument takes its default (FindText starts at 1 and
//   keeps letter case; ReplaceAll keeps case; CompareText ignores it);
// - a missing required argument, or a record whose tag does not fit, is the
//   program's fault and ends the process through fatal_error;
// - positions and counts outside the text are clamped to it (see text_ops.h);
//   TextToNumber of a text that is no number gives 0.
// Results: texts are always blocks (the empty text too, as callers hand them
// on to DLL functions); byte sets are null when empty; integers and bools
// carry their tag; TextToNumber gives a double's bits tagged Float; SplitText
// gives an array block {1, n, n text pointers} with every piece its own block.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/abi.h"

namespace core {

using CoreCommandFn = abi::ArgRecord (*)(std::span<const abi::ArgRecord> args);

// Adds or replaces the command with this number.
void register_core_command(uint32_t number, CoreCommandFn fn);

// Runs a command. An unknown number is an internal fault (fatal_error naming
// it in hex). Texts, byte sets and arrays in the result are new blocks from
// alloc_memory owned by the caller.
abi::ArgRecord call_core_command(uint32_t command, uint32_t argc, const abi::ArgRecord* args);

}  // namespace core
