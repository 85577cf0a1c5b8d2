// Binding: turns a validated program image into a runnable program. Every
// relocated word of the code section gets its absolute address, every routine
// record its native entry, and the var data its memory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/abi.h"

namespace binding {

struct DeclaredFunction {
  std::string library;  // empty: the system libraries
  std::string function;
};

struct BoundProgram {
  std::unique_ptr<uint64_t[]> var_data;  // zero at start
  size_t var_size = 0;
  std::span<const uint8_t> const_data;
  std::span<const uint8_t> form;
  std::unordered_map<uint32_t, abi::RoutineFn> routines;  // by code offset
  abi::RoutineFn program_entry = nullptr;
  std::vector<DeclaredFunction> declarations;
};

struct BindResult {
  std::unique_ptr<BoundProgram> program;  // null when binding failed
  std::string error;
};

// Finds a routine's native entry by its export name; null when missing.
using RoutineResolver = std::function<void*(std::string_view name)>;

// `image` may extend past the image's end; the image says where it ends.
// On failure the image may be partly rewritten and must not be run.
BindResult bind_image(std::span<uint8_t> image, const abi::ServiceTable& services,
                      const RoutineResolver& resolve);

}  // namespace binding
