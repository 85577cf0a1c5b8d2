// The start-up every host of the program side shares: the runtime proper,
// the web-access benchmark and the test fixtures. It registers the program's
// constant data (shared with the program, never freed, copied before change)
// and its declared functions with the directory their libraries are in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/core/binding/binder.h"

namespace binding {

void start_runtime(std::span<const uint8_t> const_data, std::vector<DeclaredFunction> declarations,
                   std::string program_directory);

// The declarations of a table whose rows name a `library` and a `function`.
template <class Rows>
std::vector<DeclaredFunction> declared_functions(const Rows& rows) {
  std::vector<DeclaredFunction> declarations;
  for (const auto& row : rows) {
    declarations.push_back({std::string(row.library), std::string(row.function)});
  }
  return declarations;
}

}  // namespace binding
