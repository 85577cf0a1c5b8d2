// Prints a program image part by part, like readelf for the image format.
// Reads the program file itself (the image is one of its sections) or a bare
// image file. A malformed image gets one line naming the offset and field at
// fault, and exit status 1; a command line it cannot use, status 2.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/image_dump/dump.h"
#include "tools/image_dump/program_file.h"

namespace {

constexpr int kMalformed = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: lyb-image-dump [PART] FILE\n"
    "Prints the program image held by FILE: the program file, or a bare image.\n"
    "Without PART every part is printed. PART is one of:\n"
    "  --header          the image header, libraries and declared functions\n"
    "  --sections        the section chain\n"
    "  --relocations     the code records, relocations and @reloc1 groups\n"
    "  --form            the window's form description\n"
    "  --control NAME    one control of the form, by name\n"
    "  --help            this text\n"
    "Exit status: 0 printed, 1 malformed image (or no such control), 2 bad command line\n"
    "or unreadable file.\n";

enum class Part { All, Header, Sections, Relocations, Form, Control };

struct Request {
  Part part = Part::All;
  std::string control;
  std::string file;
};

std::optional<Request> parse(int argc, char** argv) {
  Request r;
  const auto set_part = [&](Part p) {
    const bool first = r.part == Part::All;
    r.part = p;
    return first;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    bool ok = true;
    if (a == "--header") {
      ok = set_part(Part::Header);
    } else if (a == "--sections") {
      ok = set_part(Part::Sections);
    } else if (a == "--relocations") {
      ok = set_part(Part::Relocations);
    } else if (a == "--form") {
      ok = set_part(Part::Form);
    } else if (a == "--control" && i + 1 < argc) {
      ok = set_part(Part::Control);
      r.control = argv[++i];
    } else if (!a.empty() && a[0] != '-' && r.file.empty()) {
      r.file = a;
    } else {
      ok = false;
    }
    if (!ok) {
      return std::nullopt;
    }
  }
  if (r.file.empty()) {
    return std::nullopt;
  }
  return r;
}

int print(const Request& r, const image::ImageView& view) {
  std::ostream& out = std::cout;
  switch (r.part) {
    case Part::Header:
      dump::header(out, view);
      dump::libraries(out, view);
      dump::declarations(out, view);
      return 0;
    case Part::Sections:
      dump::sections(out, view);
      return 0;
    case Part::Relocations:
      dump::code_records(out, view);
      dump::relocations(out, view);
      dump::reloc1_groups(out, view);
      return 0;
    case Part::Form:
      return dump::form(out, view) ? 0 : kMalformed;
    case Part::Control:
      switch (dump::control(out, view, r.control)) {
        case dump::ControlLookup::Found:
          return 0;
        case dump::ControlLookup::NotFound:
          std::cerr << r.file << ": the form has no control \"" << r.control << "\"\n";
          return kMalformed;
        case dump::ControlLookup::MalformedForm:
          return kMalformed;
      }
      return kMalformed;
    case Part::All:
      break;
  }
  dump::header(out, view);
  dump::libraries(out, view);
  dump::declarations(out, view);
  dump::sections(out, view);
  dump::code_records(out, view);
  dump::relocations(out, view);
  dump::reloc1_groups(out, view);
  return dump::form(out, view) ? 0 : kMalformed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::optional<Request> request = parse(argc, argv);
  if (!request) {
    std::fputs(kUsage, stderr);
    return kUsageError;
  }
  std::ifstream in(request->file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "lyb-image-dump: cannot read %s: %s\n", request->file.c_str(),
                 std::strerror(errno));
    return kUsageError;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  const dump::ImageInFile found = dump::find_image(bytes);
  if (!found.error.empty()) {
    std::fprintf(stderr, "%s: %s\n", request->file.c_str(), found.error.c_str());
    return kMalformed;
  }
  std::string error;
  const auto view = image::ImageView::create(found.image, &error);
  if (!view) {
    std::fprintf(stderr, "%s: malformed image: %s\n", request->file.c_str(), error.c_str());
    return kMalformed;
  }
  return print(*request, *view);
}
