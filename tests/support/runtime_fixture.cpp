#include "tests/support/runtime_fixture.h"

#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "runtime/service_slots.h"

namespace test_support {
namespace {

void unexpected(const char* slot) {
  ADD_FAILURE() << "service slot " << slot
                << " was called, but this test installed no entry for it";
}

uintptr_t no_dll(uint32_t, uint32_t, const uintptr_t*) {
  unexpected("CallDllFunction");
  return 0;
}

abi::ArgRecord no_library(uint32_t, uint32_t, uint32_t, const abi::ArgRecord*) {
  unexpected("CallLibraryCommand");
  return {};
}

abi::ArgRecord no_read_property(uint32_t, uint32_t, uint32_t, int32_t) {
  unexpected("ReadProperty");
  return {};
}

void no_write_property(uint32_t, uint32_t, uint32_t, int32_t, uintptr_t, uint32_t) {
  unexpected("WriteProperty");
}

void no_exit(int32_t) {
  unexpected("ExitProgram");
}

void no_message_loop(uint32_t) {
  unexpected("RunMessageLoop");
}

uint32_t no_start_window(uint32_t) {
  unexpected("LoadStartWindow");
  return 0;
}

uintptr_t no_help(uint32_t, uintptr_t, uintptr_t) {
  unexpected("RuntimeHelp");
  return 0;
}

}  // namespace

abi::ServiceTable krnln_test_services() {
  return {
      .report_runtime_error = core::report_runtime_error,
      .call_dll_function = no_dll,
      .call_library_command = no_library,
      .call_core_command = core::call_core_command,
      .read_property = no_read_property,
      .write_property = no_write_property,
      .alloc_memory = core::alloc_memory,
      .resize_memory = core::resize_memory,
      .free_memory = core::free_memory,
      .exit_program = no_exit,
      .run_message_loop = no_message_loop,
      .load_start_window = no_start_window,
      .runtime_help = no_help,
  };
}

void RuntimeFixture::SetUp() {
  services_ = krnln_test_services();
  rt::attach(rt::slot_words_of(services_));
  blocks_at_start_ = core::live_blocks();
}

void RuntimeFixture::TearDown() {
  EXPECT_EQ(core::live_blocks(), blocks_at_start_) << "blocks handed out and never freed";
  rt::detach();
  core::set_constant_range(nullptr, 0);
}

}  // namespace test_support
