#include "tests/fuzz/fuzz_runtime.h"

#include "image/start/bound_words.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "runtime/service_slots.h"
#include "tests/fuzz/fuzz_check.h"

namespace fuzz_targets {
namespace {

std::vector<RecordedCall>& calls() {
  static std::vector<RecordedCall> recorded;
  return recorded;
}

// The web routines only call functions whose arguments are all texts.
uint64_t record_call(uint32_t function, uint32_t count, const uint64_t* words) {
  RecordedCall call{static_cast<program::Dll>(function), {}};
  for (uint32_t i = 0; i < count; ++i) {
    call.texts.emplace_back(reinterpret_cast<const char*>(static_cast<uintptr_t>(words[i])));
  }
  calls().push_back(std::move(call));
  return 1;
}

void unexpected_slot() {
  require(false, "only memory, errors, core commands and Windows calls are used");
}

abi::ServiceTable program_services() {
  return {
      .report_runtime_error = core::report_runtime_error,
      .call_dll_function = record_call,
      .call_library_command = [](uint32_t, uint32_t, uint32_t,
                                 const abi::ArgRecord*) -> abi::ArgRecord {
        unexpected_slot();
        return {};
      },
      .call_core_command = core::call_core_command,
      .read_property = [](uint32_t, uint32_t, uint32_t, int32_t) -> abi::ArgRecord {
        unexpected_slot();
        return {};
      },
      .write_property = [](uint32_t, uint32_t, uint32_t, int32_t, uint64_t,
                           uint32_t) { unexpected_slot(); },
      .alloc_memory = core::alloc_memory,
      .resize_memory = core::resize_memory,
      .free_memory = core::free_memory,
      .exit_program = [](int32_t) { unexpected_slot(); },
      .run_message_loop = [](uint32_t) { unexpected_slot(); },
      .load_start_window = [](uint32_t) -> uint32_t {
        unexpected_slot();
        return 0;
      },
      .runtime_help = [](uint32_t, uint64_t, uint64_t) -> uint64_t {
        unexpected_slot();
        return 0;
      },
  };
}

}  // namespace

void use_program_runtime() {
  static const bool attached = [] {
    static const abi::ServiceTable services = program_services();
    static const program::ConstLayout constants = program::lay_out_constants();
    static void* window_list = nullptr;
    core::set_constant_range(constants.data.data(), constants.data.size());
    program::BoundWords words;
    words.const_base = constants.data.data();
    words.window_list = &window_list;
    words.slot_words = rt::slot_words_of(services);
    program::attach(words);
    return true;
  }();
  (void)attached;
  calls().clear();
}

const std::vector<RecordedCall>& recorded_calls() {
  return calls();
}

size_t live_blocks() {
  return core::live_blocks();
}

}  // namespace fuzz_targets
