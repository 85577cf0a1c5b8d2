// The DLL host: everything the runtime asks of the platform's dynamic loader.
// Which files a declared library name stands for, opening them, finding a
// function in a library's export table and calling it with the caller's
// argument words; and, for binding, the program file's exported routines and
// the loaded file that holds an address. dll_host_posix.cpp implements it over
// dlopen, dlsym and dl_iterate_phdr and the stand-ins' export tables;
// dll_host_win32.cpp over LoadLibraryA, GetProcAddress and a real stdcall.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace binding::dll_host {

// The files a declared library stands for, in the order they are searched.
// The empty name is the system DLLs kernel32, user32 and advapi32 in that
// order. On Linux the Windows DLLs that have stand-ins (kernel32, user32,
// advapi32, wininet; any case, ".dll" or not) are "<name>.dll.so" in
// `directory` and any other name is that file in `directory`; on Windows a
// name is given to the system's own library search as it is.
std::vector<std::string> library_files(std::string_view declared, std::string_view directory);

// An opened library and its export table.
struct Library;
struct LibraryCloser {
  void operator()(Library* library) const;
};
using LibraryHandle = std::unique_ptr<Library, LibraryCloser>;

// Null when the file is missing or does not load; a file that is there but
// does not load is reported on stderr.
LibraryHandle open_library(const std::string& file);

// A function a library exports; it lives as long as its library.
struct Function;

// Null when the library exports no such function.
const Function* find(const Library& library, std::string_view function);

struct CallResult {
  uintptr_t value;
  uint32_t own_words;  // the argument words the function takes
};

// Calls the function with the caller's words. When `own_words` differs from
// `words.size()` the call was unbalanced and its value means nothing. Where
// the library's export table gives the count (the stand-ins) the host
// compares first and does not call; a system DLL's function runs, and the
// stack pointer after it tells how many words it took.
CallResult call(const Function& function, std::span<const uintptr_t> words);

// A routine the program file exports by name; null when it exports none.
void* find_program_routine(std::string_view name);

// The bytes from `address` to the end of the loaded segment of a loaded
// file that holds it; empty when no loaded file holds it.
std::span<uint8_t> loaded_extent(void* address);

}  // namespace binding::dll_host
