#include "platform/core/binding/runtime_start.h"

#include "platform/core/binding/dll_calls.h"
#include "platform/core/memory/memory.h"

namespace binding {

void start_runtime(std::span<const uint8_t> const_data, std::vector<DeclaredFunction> declarations,
                   std::string program_directory) {
  core::set_constant_range(const_data.data(), const_data.size());
  set_declarations(std::move(declarations), std::move(program_directory));
}

}  // namespace binding
