// Build-time writer of the program image.
//   lyb_image_writer OUTPUT_DIR [elf|pe-i386]
// writes lanyinbao_image.bin, lanyinbao_image.S, program_image_layout.h and
// the export list (program_exports.list for ELF, the default;
// program_exports.def for PE) into OUTPUT_DIR. The output depends only on the
// sources and the format, so two runs give the same bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "image/format/image_view.h"
#include "image/writer/outputs.h"
#include "ui/form_tables.h"

namespace {

bool write_file(const std::filesystem::path& path, std::string_view bytes) {
  // Leave an unchanged file alone so its dependants are not rebuilt.
  {
    std::ifstream in(path, std::ios::binary);
    const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in && old == bytes) {
      return true;
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::optional<writer::ObjectFormat> format_argument(int argc, char** argv) {
  if (argc == 2) {
    return writer::ObjectFormat::Elf;
  }
  if (argc == 3) {
    return writer::parse_object_format(argv[2]);
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<writer::ObjectFormat> format = format_argument(argc, argv);
  if (!format) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [elf|pe-i386]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const writer::ProgramImage image = writer::build_program_image(ui::build_form_section());
  const image::ValidationResult valid = image::validate_image(image.built.bytes);
  if (!valid) {
    std::fprintf(stderr, "the written image does not validate: %s\n", valid.message.c_str());
    return 1;
  }
  const auto& bytes = image.built.bytes;
  const bool ok =
      write_file(dir / "lanyinbao_image.bin",
                 {reinterpret_cast<const char*>(bytes.data()), bytes.size()}) &&
      write_file(dir / "lanyinbao_image.S",
                 writer::assembler_source((dir / "lanyinbao_image.bin").string(), *format)) &&
      write_file(dir / "program_image_layout.h", writer::layout_header(image)) &&
      write_file(dir / writer::export_list_file_name(*format), writer::export_list(*format));
  if (!ok) {
    std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
