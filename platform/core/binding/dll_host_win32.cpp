#include <windows.h>

#include <array>
#include <cstdio>
#include <map>

#include "platform/core/binding/dll_host.h"

// Calls `function` as stdcall with `count` words (stdcall_i686.S).
extern "C" uintptr_t lyb_stdcall_words(void* function, const uintptr_t* words, uint32_t count,
                                       int32_t* stack_change);

namespace binding::dll_host {

struct Function {
  void* address;
};

struct Library {
  HMODULE module;
  // What find() has looked up, so each function has one stable address.
  mutable std::map<std::string, Function, std::less<>> found;
};

namespace {

// The system DLLs the empty library name searches, in order; wininet is not
// among them, so that it loads only with the first network call.
constexpr std::array<const char*, 3> kSystemSearch = {"kernel32.dll", "user32.dll", "advapi32.dll"};

void* address_of(FARPROC proc) {
  return reinterpret_cast<void*>(proc);
}

// The module header of a loaded file, checked before its sections are read.
const IMAGE_NT_HEADERS* nt_headers(HMODULE module) {
  const auto* base = reinterpret_cast<const uint8_t*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) {
    return nullptr;
  }
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

}  // namespace

std::vector<std::string> library_files(std::string_view declared, std::string_view) {
  if (declared.empty()) {
    return {kSystemSearch.begin(), kSystemSearch.end()};
  }
  // The system's own search: the program's folder first, then the system's.
  return {std::string(declared)};
}

void LibraryCloser::operator()(Library* library) const {
  FreeLibrary(library->module);
  delete library;
}

LibraryHandle open_library(const std::string& file) {
  HMODULE module = LoadLibraryA(file.c_str());
  if (module == nullptr) {
    // An optional library (the skin) that is simply absent is the normal
    // case; one that is there but does not load deserves a word.
    const DWORD error = GetLastError();
    if (error != ERROR_MOD_NOT_FOUND) {
      std::fprintf(stderr, "krnln: %s cannot be loaded (error %lu); its functions do nothing\n",
                   file.c_str(), static_cast<unsigned long>(error));
    }
    return nullptr;
  }
  return LibraryHandle(new Library{module, {}});
}

const Function* find(const Library& library, std::string_view function) {
  if (const auto it = library.found.find(function); it != library.found.end()) {
    return &it->second;
  }
  const std::string name(function);
  void* address = address_of(GetProcAddress(library.module, name.c_str()));
  if (address == nullptr) {
    return nullptr;
  }
  return &library.found.emplace(name, Function{address}).first->second;
}

CallResult call(const Function& function, std::span<const uintptr_t> words) {
  const auto count = static_cast<uint32_t>(words.size());
  int32_t stack_change = 0;
  const uintptr_t value = lyb_stdcall_words(function.address, words.data(), count, &stack_change);
  // A stdcall function removes the words it takes; what is left over (or
  // taken beyond the caller's words) shows in the stack pointer.
  const auto own_words = static_cast<uint32_t>(static_cast<int32_t>(count) + stack_change / 4);
  return {value, own_words};
}

void* find_program_routine(std::string_view name) {
  return address_of(GetProcAddress(GetModuleHandleA(nullptr), std::string(name).c_str()));
}

std::span<uint8_t> loaded_extent(void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<const char*>(address), &module)) {
    return {};
  }
  const IMAGE_NT_HEADERS* nt = nt_headers(module);
  if (nt == nullptr) {
    return {};
  }
  const auto base = reinterpret_cast<uintptr_t>(module);
  const auto at = reinterpret_cast<uintptr_t>(address);
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
    const uintptr_t start = base + sections[i].VirtualAddress;
    const uintptr_t size = sections[i].Misc.VirtualSize;
    if (at >= start && at - start < size) {
      return {static_cast<uint8_t*>(address), start + size - at};
    }
  }
  return {};
}

}  // namespace binding::dll_host
