#include "platform/core/binding/dll_calls.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "platform/core/errors/errors.h"

namespace binding {

namespace {

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

struct Library {
  LibraryHandle handle;  // null: the file is missing
  const abi::DllExportTable* exports = nullptr;
};

struct State {
  std::vector<DeclaredFunction> declarations;
  std::string directory;
  std::map<std::string, Library> libraries;                    // by file
  std::vector<std::optional<const abi::DllExport*>> resolved;  // null export: a no-op
};

State& state() {
  static State s;
  return s;
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

Library& library(const std::string& file) {
  auto [it, added] = state().libraries.try_emplace(file);
  if (added) {
    it->second.handle.reset(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL));
    std::error_code ignored;
    if (!it->second.handle) {
      // An optional library (the skin) that is simply absent is the normal
      // case; one that is there but does not load deserves a word.
      if (std::filesystem::exists(file, ignored)) {
        std::fprintf(stderr, "krnln: %s cannot be loaded (%s); its functions do nothing\n",
                     file.c_str(), dlerror());
      }
    } else if (auto get = reinterpret_cast<abi::GetDllExportsFn>(
                   dlsym(it->second.handle.get(), abi::kDllExportTableSymbol))) {
      it->second.exports = get();
    }
  }
  return it->second;
}

const abi::DllExport* resolve(const DeclaredFunction& d) {
  Library& lib = library(library_file(d.library, state().directory));
  if (!lib.handle) {
    return nullptr;
  }
  if (lib.exports != nullptr) {
    for (size_t i = 0; i < lib.exports->count; ++i) {
      if (d.function == lib.exports->entries[i].name) {
        return &lib.exports->entries[i];
      }
    }
  }
  std::fprintf(stderr, "krnln: declared function %s is not in %s\n", d.function.c_str(),
               d.library.empty() ? "the system libraries" : d.library.c_str());
  core::report_runtime_error(abi::error::DllStackChanged);
}

}  // namespace

std::string library_file(const std::string& library, const std::string& directory) {
  static constexpr std::array<std::string_view, 5> kSystem = {"", "wininet.dll", "kernel32.dll",
                                                              "kernel32", "user32.dll"};
  const std::string name = lower(library);
  if (std::find(kSystem.begin(), kSystem.end(), name) != kSystem.end()) {
    return directory + "/libwinapi.so";
  }
  return directory + "/" + library;
}

void set_declarations(std::vector<DeclaredFunction> declarations, std::string directory) {
  State& s = state();
  s.resolved.assign(declarations.size(), std::nullopt);
  s.declarations = std::move(declarations);
  s.directory = std::move(directory);
  s.libraries.clear();
}

uint64_t call_dll_function(uint32_t index, uint32_t word_count, const uint64_t* words) {
  State& s = state();
  if (index >= s.declarations.size()) {
    core::fatal_error("CallDllFunction: no declared function " + std::to_string(index));
  }
  if (!s.resolved[index]) {
    s.resolved[index] = resolve(s.declarations[index]);
  }
  const abi::DllExport* fn = *s.resolved[index];
  if (fn == nullptr) {
    return 0;
  }
  if (fn->words != word_count) {
    std::fprintf(stderr, "krnln: %s takes %u argument words, the call passed %u\n", fn->name,
                 fn->words, word_count);
    core::report_runtime_error(abi::error::DllStackChanged);
  }
  return fn->thunk(words);
}

}  // namespace binding
