// The runtime's error service and its own fatal path. Neither returns.
#pragma once

#include <cstdint>
#include <string_view>

namespace core {

inline constexpr int kRuntimeErrorStatus = 3;
inline constexpr int kFatalErrorStatus = 4;

// Shows the user the message of an error that ends the process, as a modal
// box, and returns once it is closed; returns at once where no box can be
// shown. The window module sets it while a window can be shown.
using FaultNotice = void (*)(std::string_view message);
void set_fault_notice(FaultNotice notice);

// Codes the program reports (abi::error): writes "runtime error <code>: <meaning>"
// to stderr, shows it through the fault notice and ends the process with
// kRuntimeErrorStatus.
[[noreturn]] void report_runtime_error(uint32_t code);

// Internal faults of the runtime (unknown command or slot, exhaustion): writes
// "internal error: <what>" to stderr, shows it through the fault notice and
// ends the process with kFatalErrorStatus.
[[noreturn]] void fatal_error(std::string_view what);

}  // namespace core
