// The runtime's error service and its own fatal path. Neither returns.
#pragma once

#include <cstdint>
#include <string_view>

namespace core {

inline constexpr int kRuntimeErrorStatus = 3;
inline constexpr int kFatalErrorStatus = 4;

// Codes the program reports (abi::error): writes "runtime error <code>: <meaning>"
// to stderr and ends the process with kRuntimeErrorStatus.
[[noreturn]] void report_runtime_error(uint32_t code);

// Internal faults of the runtime (unknown command or slot, exhaustion): writes
// "internal error: <what>" to stderr and ends the process with kFatalErrorStatus.
[[noreturn]] void fatal_error(std::string_view what);

}  // namespace core
