#include "platform/core/binding/runtime_help.h"

#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"

namespace binding {

namespace {

struct State {
  std::vector<abi::RoutineFn> cleanup;
  std::function<void()> before_exit;
};

State& state() {
  static State s;
  return s;
}

bool in_constant_data(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  const std::span<const uint8_t> constants = core::constant_range();
  return !constants.empty() && b >= constants.data() && b < constants.data() + constants.size();
}

// Size of an array block in the constant data, or 0 when its header does not
// lie inside it.
size_t constant_array_size(const uint8_t* block) {
  const std::span<const uint8_t> constants = core::constant_range();
  const size_t room = constants.size() - static_cast<size_t>(block - constants.data());
  uint32_t dimensions = 0;
  if (room < 4 || (std::memcpy(&dimensions, block, 4), room / 4 - 1 < dimensions)) {
    return 0;
  }
  size_t count = dimensions == 0 ? 0 : 1;
  for (uint32_t d = 0; d < dimensions; ++d) {
    uint32_t size;
    std::memcpy(&size, block + 4 + 4 * d, 4);
    count *= size;
  }
  const size_t header = 4 + 4 * static_cast<size_t>(dimensions);
  return count > (room - header) / sizeof(void*) ? 0 : header + count * sizeof(void*);
}

}  // namespace

void unshare_array(uint32_t element_width, void** variable) {
  if (element_width != 4) {
    core::fatal_error("UnshareArray: element width " + std::to_string(element_width) +
                      " is not an array of pointers");
  }
  void* block = *variable;
  if (block != nullptr && !in_constant_data(block)) {
    return;
  }
  if (block == nullptr) {
    const uint32_t empty[2] = {1, 0};
    *variable = core::alloc_memory(sizeof empty);
    std::memcpy(*variable, empty, sizeof empty);
    return;
  }
  const size_t size = constant_array_size(static_cast<const uint8_t*>(block));
  if (size == 0) {
    core::fatal_error("UnshareArray: the constant array is cut off by the end of the const data");
  }
  void* copy = core::alloc_memory(size);
  std::memcpy(copy, block, size);
  *variable = copy;
}

uintptr_t runtime_help(uint32_t function, uintptr_t arg1, uintptr_t arg2) {
  switch (function) {
    case abi::help::RegisterCleanup:
      if (arg1 == 0) {
        core::fatal_error("RegisterCleanup: no routine given");
      }
      state().cleanup.push_back(reinterpret_cast<abi::RoutineFn>(arg1));
      return 0;
    case abi::help::UnshareArray:
      unshare_array(static_cast<uint32_t>(arg1), reinterpret_cast<void**>(arg2));
      return 0;
    default:
      core::fatal_error("RuntimeHelp: unknown function " + std::to_string(function));
  }
}

void run_cleanup() {
  const std::vector<abi::RoutineFn> routines = std::move(state().cleanup);
  state().cleanup.clear();
  for (abi::RoutineFn routine : routines) {
    routine();
  }
}

void set_before_exit(std::function<void()> before_exit) {
  state().before_exit = std::move(before_exit);
}

void exit_program(int32_t code) {
  run_cleanup();
  if (state().before_exit) {
    state().before_exit();
  }
  std::exit(code);
}

}  // namespace binding
