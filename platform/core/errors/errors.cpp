#include "platform/core/errors/errors.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/abi.h"

namespace core {
namespace {

FaultNotice g_notice = nullptr;

const char* meaning_of(uint32_t code) {
  switch (code) {
    case abi::error::ArrayIndexOutOfRange:
      return "array index out of range";
    case abi::error::ValueNotText:
      return "the value converted to text is not a text";
    case abi::error::DllStackChanged:
      return "a declared DLL function was called with the wrong number of arguments";
    default:
      return "unknown error";
  }
}

// The process may be inside a window event or a half-finished request, so
// nothing of it is unwound: the message goes out and the process ends. A
// fault while the notice is shown ends the process without a second one.
[[noreturn]] void end_process(const std::string& line, int status) {
  static bool noticing = false;
  std::fflush(stdout);
  std::fputs((line + "\n").c_str(), stderr);
  std::fflush(stderr);
  if (g_notice != nullptr && !noticing) {
    noticing = true;
    g_notice(line);
  }
  std::_Exit(status);
}

}  // namespace

void report_runtime_error(uint32_t code) {
  end_process("runtime error " + std::to_string(code) + ": " + meaning_of(code),
              kRuntimeErrorStatus);
}

void fatal_error(std::string_view what) {
  end_process("internal error: " + std::string(what), kFatalErrorStatus);
}

void set_fault_notice(FaultNotice notice) {
  g_notice = notice;
}

}  // namespace core
