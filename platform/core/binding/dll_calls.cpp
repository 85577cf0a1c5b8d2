#include "platform/core/binding/dll_calls.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "platform/core/binding/dll_host.h"
#include "platform/core/binding/network_wait.h"
#include "platform/core/errors/errors.h"

namespace binding {

namespace {

// The WinINet calls that wait on the network (name lookup, connect, sending,
// the reply head, reading). Each takes the request handle first: closing it
// from another thread is WinINet's way to cut such a call short.
constexpr std::string_view kWaitingCalls[] = {"HttpSendRequestA", "InternetReadFile",
                                              "InternetQueryDataAvailable"};
constexpr std::string_view kCloseHandle = "InternetCloseHandle";

bool waits_on_network(const DeclaredFunction& d) {
  return std::find(std::begin(kWaitingCalls), std::end(kWaitingCalls), d.function) !=
         std::end(kWaitingCalls);
}

// A declaration as its first call found it, so that later calls (a reply is
// read 512 bytes a call) go straight to the function.
struct Resolved {
  const dll_host::Function* function;  // null: a no-op
  bool waits;                          // runs while the window's events go on
  const dll_host::Function* closer;    // cuts a waiting call short; null: none
};

struct State {
  std::vector<DeclaredFunction> declarations;
  std::string directory;
  std::map<std::string, dll_host::LibraryHandle> libraries;  // by file; null: missing
  std::vector<std::optional<Resolved>> resolved;
};

// Never destroyed: the libraries stay loaded until the process ends, as
// loaded DLLs do. A worker thread may still be inside one (a request that
// never answers) while the program exits; unloading it then would pull its
// code out from under that thread.
State& state() {
  static State& s = *new State;
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

// The handle closer of the libraries `d` is looked up in; null when they have none.
const dll_host::Function* closer_beside(const DeclaredFunction& d) {
  for (const std::string& file : dll_host::library_files(d.library, state().directory)) {
    if (const dll_host::Library* lib = library(file)) {
      if (const dll_host::Function* close = dll_host::find(*lib, kCloseHandle)) {
        return close;
      }
    }
  }
  return nullptr;
}

// A call that waits on the network runs while the window's events go on;
// once the program is ending it is not started and fails as a cancelled
// call would.
dll_host::CallResult call_waiting(const Resolved& r, std::span<const uintptr_t> words) {
  if (program_ending()) {
    return {0, static_cast<uint32_t>(words.size())};
  }
  dll_host::CallResult result{};
  const dll_host::Function* close = r.closer;
  const uintptr_t handle = words.empty() ? 0 : words[0];
  wait_for([&] { result = dll_host::call(*r.function, words); },
           [close, handle] {
             if (close != nullptr && handle != 0) {
               dll_host::call(*close, {&handle, 1});
             }
           });
  return result;
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
  const DeclaredFunction& d = s.declarations[index];
  if (!s.resolved[index]) {
    const dll_host::Function* fn = resolve(d);
    const bool waits = fn != nullptr && waits_on_network(d);
    s.resolved[index] = Resolved{fn, waits, waits ? closer_beside(d) : nullptr};
  }
  const Resolved& r = *s.resolved[index];
  if (r.function == nullptr) {
    return 0;
  }
  const std::span<const uintptr_t> args(words, word_count);
  const dll_host::CallResult result =
      r.waits ? call_waiting(r, args) : dll_host::call(*r.function, args);
  if (result.own_words != word_count) {
    std::fprintf(stderr, "krnln: %s takes %u argument words, the call passed %u\n",
                 d.function.c_str(), result.own_words, word_count);
    core::report_runtime_error(abi::error::DllStackChanged);
  }
  return result.value;
}

}  // namespace binding
