#include "platform/support/library_commands.h"

#include <QDesktopServices>
#include <QImage>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/core/errors/errors.h"
#include "platform/paths/paths.h"
#include "platform/support/link_target.h"

namespace support {
namespace {

std::string hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", v);
  return buf;
}

// A text argument: a pointer to zero-terminated GBK bytes, null for empty.
std::string_view text_arg(const char* command, uint32_t argc, const abi::ArgRecord* args,
                          uint32_t i) {
  if (i >= argc || args[i].tag != abi::tag::Text) {
    core::fatal_error(std::string(command) + ": argument " + std::to_string(i + 1) +
                      " is not a text");
  }
  const auto* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(args[i].value));
  return text ? std::string_view(text) : std::string_view();
}

abi::ArgRecord bool_result(bool b) {
  return {b ? 1u : 0u, 0, abi::tag::Bool};
}

}  // namespace

bool convert_image_file(std::string_view source, std::string_view target) {
  std::ifstream in(paths::host_path(source), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                        static_cast<int>(bytes.size()));
  if (image.isNull()) {
    return false;
  }
  const std::string out = paths::host_path(target).string();
  return image.save(QString::fromStdString(out), "BMP");
}

abi::ArgRecord call_library_command(uint32_t library, uint32_t command, uint32_t argc,
                                    const abi::ArgRecord* args) {
  if (library == abi::libcmd::ImageConverterLibrary && command == abi::libcmd::ConvertImageFile) {
    return bool_result(convert_image_file(text_arg("ConvertImageFile", argc, args, 0),
                                          text_arg("ConvertImageFile", argc, args, 1)));
  }
  if (library == abi::libcmd::AppInterfaceLibrary && command == abi::libcmd::OpenUrl) {
    return bool_result(
        QDesktopServices::openUrl(url_for_target(text_arg("OpenUrl", argc, args, 0))));
  }
  core::fatal_error("CallLibraryCommand: library " + std::to_string(library) + " has no command " +
                    hex(command));
}

}  // namespace support
