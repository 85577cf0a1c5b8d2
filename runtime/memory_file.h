// Files held in the runtime's memory.
#pragma once

#include <cstdint>

#include "runtime/blocks.h"

namespace rt {

int32_t open_memory_file();
void close_file(int32_t file);
void seek_to_start(int32_t file);
void write_text_to_file(int32_t file, TextView text);
// The next line without its CR LF (or LF); empty at the end.
Text read_line(int32_t file);
bool at_end_of_file(int32_t file);

// Opens a memory file and closes it on every way out.
class MemoryFile {
 public:
  MemoryFile() : number_(open_memory_file()) {}
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  ~MemoryFile() { close_file(number_); }

  void write(TextView text) { write_text_to_file(number_, text); }
  void seek_to_start() { rt::seek_to_start(number_); }
  Text read_line() { return rt::read_line(number_); }
  bool at_end() { return at_end_of_file(number_); }
  int32_t number() const { return number_; }

 private:
  int32_t number_;
};

}  // namespace rt
