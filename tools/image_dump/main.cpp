// Prints a program image part by part, like readelf for the image format.
//   lyb-image-dump IMAGE_FILE
// A malformed image gets one line naming the offset and field at fault, and
// exit status 1.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "tools/image_dump/dump.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s IMAGE_FILE\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 2;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  std::string error;
  const auto view = image::ImageView::create(bytes, &error);
  if (!view) {
    std::fprintf(stderr, "%s: malformed image: %s\n", argv[1], error.c_str());
    return 1;
  }
  dump::header(std::cout, *view);
  dump::libraries(std::cout, *view);
  dump::declarations(std::cout, *view);
  dump::sections(std::cout, *view);
  dump::code_records(std::cout, *view);
  dump::relocations(std::cout, *view);
  dump::reloc1_groups(std::cout, *view);
  return dump::form(std::cout, *view) ? 0 : 1;
}
