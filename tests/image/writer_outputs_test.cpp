// The writer's assembler file and export list for each object format: what
// the ELF and the PE linkers are handed must place the image in a writable
// section of its own and export the same symbols under each format's rules.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "image/writer/outputs.h"

namespace {

using writer::ObjectFormat;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

bool has_line(const std::string& text, const std::string& line) {
  for (const std::string& l : lines_of(text)) {
    if (l == line) {
      return true;
    }
  }
  return false;
}

struct FormatName {
  const char* name;
  std::optional<ObjectFormat> format;
};

TEST(WriterOutputs, ParsesOnlyTheTwoFormatNames) {
  const FormatName rows[] = {
      {"elf", ObjectFormat::Elf}, {"pe-i386", ObjectFormat::PeI386},
      {"", std::nullopt},         {"ELF", std::nullopt},
      {"pe", std::nullopt},       {"coff", std::nullopt},
      {"pe-i386 ", std::nullopt}, {"elf64", std::nullopt},
  };
  for (const FormatName& row : rows) {
    EXPECT_EQ(writer::parse_object_format(row.name), row.format) << "'" << row.name << "'";
  }
}

TEST(WriterOutputs, ElfAssemblyNamesTheImageWithTypeAndSize) {
  const std::string s = writer::assembler_source("/gen/image.bin", ObjectFormat::Elf);
  EXPECT_TRUE(has_line(s, "  .section lyb_image,\"aw\",@progbits")) << s;
  EXPECT_TRUE(has_line(s, "  .globl lanyinbao_image")) << s;
  EXPECT_TRUE(has_line(s, "  .type lanyinbao_image, @object")) << s;
  EXPECT_TRUE(has_line(s, "lanyinbao_image:")) << s;
  EXPECT_TRUE(has_line(s, "  .incbin \"/gen/image.bin\"")) << s;
  EXPECT_TRUE(has_line(s, "  .size lanyinbao_image, . - lanyinbao_image")) << s;
  // Without the note the linker would make the stack executable.
  EXPECT_TRUE(has_line(s, "  .section .note.GNU-stack,\"\",@progbits")) << s;
}

TEST(WriterOutputs, PeAssemblyUsesCoffDirectivesAndTheUnderscoredSymbol) {
  const std::string s = writer::assembler_source("C:/gen/image.bin", ObjectFormat::PeI386);
  // "d" data, "w" writable; an executable's section names hold eight characters.
  EXPECT_TRUE(has_line(s, "  .section .lybimg,\"dw\"")) << s;
  EXPECT_TRUE(has_line(s, "  .globl _lanyinbao_image")) << s;
  EXPECT_TRUE(has_line(s, "_lanyinbao_image:")) << s;
  EXPECT_TRUE(has_line(s, "  .incbin \"C:/gen/image.bin\"")) << s;
  // ELF-only directives stop the COFF assembler.
  for (const char* elf_only : {".type", ".size", "@progbits", ".note.GNU-stack"}) {
    EXPECT_EQ(s.find(elf_only), std::string::npos) << elf_only << " in\n" << s;
  }
}

// The symbols an export list names, in its order.
std::vector<std::string> dynamic_list_names(const std::string& list) {
  std::vector<std::string> names;
  for (std::string line : lines_of(list)) {
    if (line == "{" || line == "};") {
      continue;
    }
    EXPECT_EQ(line.substr(0, 2), "  ") << line;
    EXPECT_EQ(line.back(), ';') << line;
    names.push_back(line.substr(2, line.size() - 3));
  }
  return names;
}

std::vector<std::string> def_file_names(const std::string& def) {
  const std::vector<std::string> lines = lines_of(def);
  EXPECT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "EXPORTS");
  std::vector<std::string> names;
  for (size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].substr(0, 2), "  ") << lines[i];
    names.push_back(lines[i].substr(2));
  }
  return names;
}

TEST(WriterOutputs, BothExportListsNameTheImageAndTheSameRoutines) {
  const std::vector<std::string> elf = dynamic_list_names(writer::export_list(ObjectFormat::Elf));
  std::vector<std::string> pe = def_file_names(writer::export_list(ObjectFormat::PeI386));
  ASSERT_FALSE(elf.empty());
  ASSERT_FALSE(pe.empty());
  EXPECT_EQ(elf.front(), "lanyinbao_image");
  // The image is data: an import of it must not go through a call thunk.
  EXPECT_EQ(pe.front(), "lanyinbao_image DATA");
  pe.front() = "lanyinbao_image";
  EXPECT_EQ(pe, elf);
  // The routines the runtime looks up by name; the linker adds the
  // underscore, so the list names them undecorated.
  for (const char* routine : {"OnKey0Clicked", "OnDialClicked", "LogIn", "ProgramEntry",
                              "ReleaseGlobals", "EnumWindowsCallback"}) {
    EXPECT_TRUE(has_line(writer::export_list(ObjectFormat::PeI386), std::string("  ") + routine))
        << routine;
  }
}

}  // namespace
