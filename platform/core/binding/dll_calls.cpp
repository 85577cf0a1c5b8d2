#include "platform/core/binding/dll_calls.h"

#include <cstdio>
#include <map>
#include <optional>

#include "platform/core/binding/dll_host.h"
#include "platform/core/errors/errors.h"

namespace binding {

namespace {

struct State {
  std::vector<DeclaredFunction> declarations;
  std::string directory;
  std::map<std::string, dll_host::LibraryHandle> libraries;        // by file; null: missing
  std::vector<std::optional<const dll_host::Function*>> resolved;  // null: a no-op
};

State& state() {
  static State s;
  return s;
}

const dll_host::Library* library(const std::string& file) {
  auto [it, added] = state().libraries.try_emplace(file);
  if (added) {
    it->second = dll_host::open_library(file);
  }
  return it->second.get();
}

const dll_host::Function* resolve(const DeclaredFunction& d) {
  bool one_missing = false;
  for (const std::string& file : dll_host::library_files(d.library, state().directory)) {
    const dll_host::Library* lib = library(file);
    if (lib == nullptr) {
      one_missing = true;
    } else if (const dll_host::Function* fn = dll_host::find(*lib, d.function)) {
      return fn;
    }
  }
  if (one_missing) {
    return nullptr;
  }
  std::fprintf(stderr, "krnln: declared function %s is not in %s\n", d.function.c_str(),
               d.library.empty() ? "the system libraries" : d.library.c_str());
  core::report_runtime_error(abi::error::DllStackChanged);
}

}  // namespace

void set_declarations(std::vector<DeclaredFunction> declarations, std::string directory) {
  State& s = state();
  s.resolved.assign(declarations.size(), std::nullopt);
  s.declarations = std::move(declarations);
  s.directory = std::move(directory);
}

uintptr_t call_dll_function(uint32_t index, uint32_t word_count, const uintptr_t* words) {
  State& s = state();
  if (index >= s.declarations.size()) {
    core::fatal_error("CallDllFunction: no declared function " + std::to_string(index));
  }
  if (!s.resolved[index]) {
    s.resolved[index] = resolve(s.declarations[index]);
  }
  const dll_host::Function* fn = *s.resolved[index];
  if (fn == nullptr) {
    return 0;
  }
  const dll_host::CallResult result = dll_host::call(*fn, {words, word_count});
  if (result.own_words != word_count) {
    std::fprintf(stderr, "krnln: %s takes %u argument words, the call passed %u\n",
                 s.declarations[index].function.c_str(), result.own_words, word_count);
    core::report_runtime_error(abi::error::DllStackChanged);
  }
  return result.value;
}

}  // namespace binding
