#include "runtime/service_slots.h"

#include <cstdio>
#include <cstdlib>

namespace rt {
namespace {

SlotWords g_words{};

}  // namespace

void attach(const SlotWords& words) {
  g_words = words;
}

void detach() {
  g_words = SlotWords{};
}

SlotWords slot_words_of(const abi::ServiceTable& table) {
  return {&table.report_runtime_error, &table.call_dll_function, &table.call_library_command,
          &table.call_core_command,    &table.read_property,     &table.write_property,
          &table.alloc_memory,         &table.resize_memory,     &table.free_memory,
          &table.exit_program,         &table.run_message_loop,  &table.load_start_window,
          &table.runtime_help};
}

namespace detail {

const void* slot_word(abi::Slot slot) {
  return g_words[static_cast<uint32_t>(slot)];
}

void not_attached(abi::Slot slot) {
  std::fprintf(stderr, "service slot %u used before rt::attach\n", static_cast<uint32_t>(slot));
  std::abort();
}

}  // namespace detail
}  // namespace rt
