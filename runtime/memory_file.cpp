#include "runtime/memory_file.h"

#include "runtime/marshal.h"

namespace rt {

using namespace marshal;

int32_t open_memory_file() {
  return integer_of(core(abi::cmd::OpenMemoryFile, {}));
}

void close_file(int32_t file) {
  core(abi::cmd::CloseFile, {integer(file)});
}

void seek_to_start(int32_t file) {
  core(abi::cmd::SeekToStart, {integer(file)});
}

void write_text_to_file(int32_t file, TextView t) {
  core(abi::cmd::WriteTextToFile, {integer(file), text(t)});
}

Text read_line(int32_t file) {
  return text_of(core(abi::cmd::ReadLine, {integer(file)}));
}

bool at_end_of_file(int32_t file) {
  return core(abi::cmd::AtEndOfFile, {integer(file), flag(false)}).value != 0;
}

}  // namespace rt
