// Files and directories on disk, named the Windows way through the path layer.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>

#include "platform/core/commands/builtin_commands.h"
#include "platform/core/commands/command_args.h"
#include "platform/paths/paths.h"

namespace core {
namespace {

using Args = std::span<const abi::ArgRecord>;
namespace fs = std::filesystem;

abi::ArgRecord get_program_directory(Args) {
  return text_result(paths::program_directory());
}

// True when the directory exists afterwards, also when it existed before.
abi::ArgRecord make_directory(Args args) {
  const fs::path dir =
      paths::host_path(ArgReader("MakeDirectory", args).text(0), paths::Use::Write);
  std::error_code error;
  fs::create_directory(dir, error);
  return bool_result(fs::is_directory(dir, error));
}

// Anything that cannot be read whole (missing, a directory, over 4 GiB) is the
// empty byte set.
abi::ArgRecord read_whole_file(Args args) {
  const fs::path file = paths::host_path(ArgReader("ReadWholeFile", args).text(0));
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    return bytes_result({});
  }
  std::ifstream in(file, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad() || content.size() > std::numeric_limits<uint32_t>::max()) {
    return bytes_result({});
  }
  return bytes_result({reinterpret_cast<const uint8_t*>(content.data()), content.size()});
}

// True when every byte was written.
abi::ArgRecord write_whole_file(Args args) {
  const ArgReader in("WriteWholeFile", args);
  const fs::path file = paths::host_path(in.text(0), paths::Use::Write);
  const auto bytes = in.bytes(1);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return bool_result(!out.fail());
}

constexpr CommandEntry kEntries[] = {
    {abi::cmd::GetProgramDirectory, get_program_directory},
    {abi::cmd::MakeDirectory, make_directory},
    {abi::cmd::ReadWholeFile, read_whole_file},
    {abi::cmd::WriteWholeFile, write_whole_file},
};

}  // namespace

std::span<const CommandEntry> file_commands() {
  return kEntries;
}

}  // namespace core
