#include "platform/support/library_commands.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "platform/console/hex_text.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/errors/errors.h"
#include "platform/paths/paths.h"
#include "platform/support/desktop.h"
#include "platform/support/link_target.h"

namespace support {
namespace {

// A source without a readable picture empties the destination, so that
// what is shown from it afterwards is no picture rather than an old one.
bool convert_image_file(std::string_view source, std::string_view target) {
  std::ifstream in(paths::host_path(source), std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  const std::filesystem::path destination = paths::host_path(target, paths::Use::Write);
  if (write_bmp(bytes, destination)) {
    return true;
  }
  std::ofstream(destination, std::ios::binary | std::ios::trunc);
  return false;
}

}  // namespace

abi::ArgRecord call_library_command(uint32_t library, uint32_t command, uint32_t argc,
                                    const abi::ArgRecord* args) {
  const std::span<const abi::ArgRecord> records(args, args != nullptr ? argc : 0);
  if (library == abi::libcmd::ImageConverterLibrary && command == abi::libcmd::ConvertImageFile) {
    const core::ArgReader reader("ConvertImageFile", records);
    return core::bool_result(convert_image_file(reader.text(0), reader.text(1)));
  }
  if (library == abi::libcmd::AppInterfaceLibrary && command == abi::libcmd::OpenUrl) {
    return core::bool_result(open_link(core::ArgReader("OpenUrl", records).text(0)));
  }
  core::fatal_error("CallLibraryCommand: library " + std::to_string(library) + " has no command " +
                    console::hex_text(command));
}

}  // namespace support
