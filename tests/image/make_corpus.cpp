// Writes the committed seed corpus: the valid small image, then corruptions of it.
//   lyb_make_image_corpus DIR
#include <cstdio>
#include <fstream>
#include <string>

#include "image/format/byte_io.h"
#include "tests/image/test_image.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const image::BuiltImage valid = test_image::small_image();
  const auto save = [&](const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream(std::string(argv[1]) + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  };
  save("00-valid.bin", valid.bytes);
  auto bytes = valid.bytes;
  bytes.resize(0x40);
  save("01-truncated-header.bin", bytes);
  bytes = valid.bytes;
  image::write_u32(bytes, valid.header_offsets[1] + image::sec::Next, valid.header_offsets[0]);
  save("02-looping-chain.bin", bytes);
  bytes = valid.bytes;
  image::write_u32(bytes, test_image::relocation_entry(valid, 0), 0xfffffff9);
  save("03-relocation-outside.bin", bytes);
  bytes = valid.bytes;
  image::write_u32(bytes, image::hdr::DeclarationCount, 0x20000000);
  save("04-declaration-count.bin", bytes);
  return 0;
}
