// Files held in memory: the program writes text into one and reads it back
// line by line. Numbers are never reused within a process.
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "platform/core/commands/builtin_commands.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/errors/errors.h"

namespace core {
namespace {

using Args = std::span<const abi::ArgRecord>;

struct MemoryFile {
  std::string data;
  size_t position = 0;
};

struct FileStore {
  std::map<int32_t, MemoryFile> files;
  int32_t last_number = 0;
};

FileStore& store() {
  static FileStore instance;
  return instance;
}

// Using a number that is not open is the program's fault.
std::map<int32_t, MemoryFile>::iterator open_file(const char* command, Args args) {
  const int32_t number = ArgReader(command, args).integer(0);
  const auto found = store().files.find(number);
  if (found == store().files.end()) {
    fatal_error(std::string("command ") + command + ": file " + std::to_string(number) +
                " is not open");
  }
  return found;
}

MemoryFile& file_of(const char* command, Args args) {
  return open_file(command, args)->second;
}

abi::ArgRecord open_memory_file(Args) {
  FileStore& files = store();
  if (files.last_number == std::numeric_limits<int32_t>::max()) {
    fatal_error("OpenMemoryFile: file numbers exhausted");
  }
  files.files.emplace(++files.last_number, MemoryFile{});
  return int_result(files.last_number);
}

abi::ArgRecord close_file(Args args) {
  store().files.erase(open_file("CloseFile", args));
  return no_result();
}

abi::ArgRecord seek_to_start(Args args) {
  file_of("SeekToStart", args).position = 0;
  return no_result();
}

// Overwrites from the current position and extends the file as needed; every
// text argument after the file is written in turn.
abi::ArgRecord write_text_to_file(Args args) {
  MemoryFile& file = file_of("WriteTextToFile", args);
  const ArgReader in("WriteTextToFile", args);
  for (size_t i = 1; i < in.count(); ++i) {
    const std::string_view text = in.text(i);
    file.data.replace(file.position, std::min(text.size(), file.data.size() - file.position), text);
    file.position += text.size();
  }
  return no_result();
}

// A line ends at LF; a CR right before it is dropped. At the end: the empty text.
abi::ArgRecord read_line(Args args) {
  MemoryFile& file = file_of("ReadLine", args);
  const std::string_view rest = std::string_view(file.data).substr(file.position);
  const size_t newline = rest.find('\n');
  std::string_view line = rest.substr(0, newline);
  file.position += newline == std::string_view::npos ? rest.size() : newline + 1;
  if (newline != std::string_view::npos && line.ends_with('\r')) {
    line.remove_suffix(1);
  }
  return text_result(line);
}

abi::ArgRecord at_end_of_file(Args args) {
  const MemoryFile& file = file_of("AtEndOfFile", args);
  return bool_result(file.position >= file.data.size());
}

constexpr CommandEntry kEntries[] = {
    {abi::cmd::OpenMemoryFile, open_memory_file},
    {abi::cmd::CloseFile, close_file},
    {abi::cmd::SeekToStart, seek_to_start},
    {abi::cmd::WriteTextToFile, write_text_to_file},
    {abi::cmd::ReadLine, read_line},
    {abi::cmd::AtEndOfFile, at_end_of_file},
};

}  // namespace

std::span<const CommandEntry> memory_file_commands() {
  return kEntries;
}

}  // namespace core
