#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "platform/core/binding/dll_host.h"
#include "platform/winapi/base/dll_export_table.h"

namespace binding::dll_host {

struct Function {
  const winapi::DllExport* row;
};

struct Library {
  void* handle;
  std::vector<Function> functions;  // one per row of the export table
};

namespace {

// The system DLLs the empty library name searches, in order; wininet is not
// among them, so that libcurl loads only with the first network call.
constexpr std::array<std::string_view, 3> kSystemSearch = {"kernel32", "user32", "advapi32"};
constexpr std::array<std::string_view, 4> kStandIns = {"kernel32", "user32", "advapi32", "wininet"};
constexpr std::string_view kStandInSuffix = ".dll.so";

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string stand_in(std::string_view directory, std::string_view dll) {
  return std::string(directory) + "/" + std::string(dll) + std::string(kStandInSuffix);
}

}  // namespace

std::vector<std::string> library_files(std::string_view declared, std::string_view directory) {
  std::vector<std::string> files;
  if (declared.empty()) {
    for (std::string_view dll : kSystemSearch) {
      files.push_back(stand_in(directory, dll));
    }
    return files;
  }
  std::string name = lower(declared);
  if (name.ends_with(".dll")) {
    name.resize(name.size() - 4);
  }
  if (std::find(kStandIns.begin(), kStandIns.end(), name) != kStandIns.end()) {
    files.push_back(stand_in(directory, name));
  } else {
    files.push_back(std::string(directory) + "/" + std::string(declared));
  }
  return files;
}

void LibraryCloser::operator()(Library* library) const {
  dlclose(library->handle);
  delete library;
}

LibraryHandle open_library(const std::string& file) {
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    // An optional library (the skin) that is simply absent is the normal
    // case; one that is there but does not load deserves a word.
    std::error_code ignored;
    if (std::filesystem::exists(file, ignored)) {
      std::fprintf(stderr, "krnln: %s cannot be loaded (%s); its functions do nothing\n",
                   file.c_str(), dlerror());
    }
    return nullptr;
  }
  const auto get =
      reinterpret_cast<winapi::GetDllExportsFn>(dlsym(handle, winapi::kDllExportTableSymbol));
  auto library = LibraryHandle(new Library{handle, {}});
  if (const winapi::DllExportTable* table = get != nullptr ? get() : nullptr) {
    for (size_t i = 0; i < table->count; ++i) {
      library->functions.push_back({&table->entries[i]});
    }
  }
  return library;
}

const Function* find(const Library& library, std::string_view function) {
  for (const Function& f : library.functions) {
    if (function == f.row->name) {
      return &f;
    }
  }
  return nullptr;
}

CallResult call(const Function& function, std::span<const uintptr_t> words) {
  const winapi::DllExport& row = *function.row;
  if (words.size() != row.words) {
    return {0, row.words};
  }
  return {row.thunk(words.data()), row.words};
}

void* find_program_routine(std::string_view name) {
  return dlsym(RTLD_DEFAULT, std::string(name).c_str());
}

std::span<uint8_t> loaded_extent(void* address) {
  struct Search {
    uintptr_t address;
    uintptr_t end = 0;
  } search{reinterpret_cast<uintptr_t>(address)};
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        auto* s = static_cast<Search*>(data);
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& ph = info->dlpi_phdr[i];
          const uintptr_t start = info->dlpi_addr + ph.p_vaddr;
          if (ph.p_type == PT_LOAD && s->address >= start && s->address - start < ph.p_memsz) {
            s->end = start + ph.p_memsz;
            return 1;
          }
        }
        return 0;
      },
      &search);
  if (search.end == 0) {
    return {};
  }
  return {static_cast<uint8_t*>(address), search.end - search.address};
}

}  // namespace binding::dll_host
