// The program's start sequence as the runtime runs it: the real image bound
// in-process, services that log each request, and the real RegisterCleanup
// and ExitProgram. Each run ends the process, so it runs in a child.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/core/binding/binder.h"
#include "platform/core/binding/dll_host.h"
#include "platform/core/binding/runtime_help.h"
#include "platform/core/binding/runtime_start.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"

extern "C" unsigned char lanyinbao_image[];

namespace {

constexpr uint32_t kSseFlags = 0x3F;  // sticky exception flags, not control

std::string& log() {
  static std::string text;
  return text;
}
size_t g_blocks_at_entry = 0;

void note(const std::string& event) {
  log() += log().empty() ? event : " " + event;
}

std::string hex(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x", value);
  return buffer;
}

uint16_t x87_control() {
  uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

uint32_t sse_control() {
  uint32_t word = 0;
  asm volatile("stmxcsr %0" : "=m"(word));
  return word & ~kSseFlags;
}

// Round toward zero with 24-bit precision: anything but what the program sets.
void unsettle_floating_point() {
  const uint16_t x87 = 0x0C7F;
  const uint32_t sse = 0x7F80;
  asm volatile("fldcw %0" : : "m"(x87));
  asm volatile("ldmxcsr %0" : : "m"(sse));
}

void* logged_alloc(size_t size) {
  note("alloc");
  return core::alloc_memory(size);
}

void logged_free(void* block) {
  note("free");
  core::free_memory(block);
}

uint64_t logged_help(uint32_t function, uint64_t arg1, uint64_t arg2) {
  note(function == abi::help::RegisterCleanup ? "register-cleanup" : "help");
  return binding::runtime_help(function, arg1, arg2);
}

uint32_t logged_load_window(uint32_t window) {
  note("load-window(" + hex(window) + ") x87=" + hex(x87_control()) + " sse=" + hex(sse_control()));
  return 1;
}

void logged_message_loop(uint32_t) {
  note("message-loop");
}

void logged_exit(int32_t code) {
  note("exit(" + std::to_string(code) + ")");
  binding::exit_program(code);
}

uint64_t logged_dll(uint32_t function, uint32_t, const uint64_t*) {
  note("dll(" + std::to_string(function) + ")");
  return 0;
}

abi::ArgRecord no_library(uint32_t, uint32_t, uint32_t, const abi::ArgRecord*) {
  note("library-command");
  return {};
}
abi::ArgRecord no_read(uint32_t, uint32_t, uint32_t, int32_t) {
  note("read-property");
  return {};
}
void no_write(uint32_t, uint32_t, uint32_t, int32_t, uint64_t, uint32_t) {
  note("write-property");
}

const abi::ServiceTable kServices = {
    .report_runtime_error = core::report_runtime_error,
    .call_dll_function = logged_dll,
    .call_library_command = no_library,
    .call_core_command = core::call_core_command,
    .read_property = no_read,
    .write_property = no_write,
    .alloc_memory = logged_alloc,
    .resize_memory = core::resize_memory,
    .free_memory = logged_free,
    .exit_program = logged_exit,
    .run_message_loop = logged_message_loop,
    .load_start_window = logged_load_window,
    .runtime_help = logged_help,
};

// Binds the program file's own image and runs its entry; never returns.
[[noreturn]] void run_program_entry() {
  const std::span<uint8_t> extent = binding::dll_host::loaded_extent(lanyinbao_image);
  binding::BindResult bound =
      binding::bind_image(extent, kServices, &binding::dll_host::find_program_routine);
  if (!bound.program) {
    std::fprintf(stderr, "not bound: %s\n", bound.error.c_str());
    std::exit(90);
  }
  const binding::BoundProgram& program = *bound.program;
  binding::start_runtime(program.const_data, {}, {});
  binding::set_before_exit([] {
    const size_t left = core::live_blocks() - g_blocks_at_entry;
    std::fprintf(stderr, "sequence: %s | blocks left %zu\n", log().c_str(), left);
  });
  unsettle_floating_point();
  g_blocks_at_entry = core::live_blocks();
  log().clear();
  program.program_entry();
  std::exit(91);  // the entry returned instead of ending through ExitProgram
}

// The globals block is made before the clean-up is registered, the window is
// loaded with the floating-point unit reset (x87 0x037F: round to nearest,
// 64-bit precision, all exceptions masked; MXCSR 0x1F80: round to nearest,
// all masked), the message loop runs, and the exit runs the clean-up, which
// gives the globals block back.
TEST(StartSequenceDeathTest, RunsInOrderAndCleansUpAtExit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(run_program_entry(), testing::ExitedWithCode(0),
              "sequence: alloc register-cleanup load-window\\(52010001\\) x87=37f sse=1f80 "
              "message-loop exit\\(0\\) free \\| blocks left 0\n");
}

}  // namespace
