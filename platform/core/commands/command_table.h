// The numbered core commands (slot CallCoreCommand). The table starts with the
// text, byte-set and file commands; the window module adds its own.
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
