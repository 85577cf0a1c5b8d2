#include "image/gbk_encode.h"

#include <cstdio>
#include <cstdlib>

#include "platform/gbk/gbk_codec.h"

namespace program {

// Every constant must survive the trip to GBK; a character GBK cannot hold
// would silently become '?' in a message, so the build stops instead.
std::string to_gbk(std::string_view utf8) {
  std::string out = gbk::from_utf8(utf8);
  if (gbk::to_utf8(out) != utf8) {
    std::fprintf(stderr, "constant not representable in GBK: %.*s\n", static_cast<int>(utf8.size()),
                 utf8.data());
    std::abort();
  }
  return out;
}

std::vector<uint8_t> encode_page(std::string_view utf8_lf) {
  std::string crlf;
  for (char ch : utf8_lf) {
    if (ch == '\n') {
      crlf += '\r';
    }
    crlf += ch;
  }
  const std::string gbk = to_gbk(crlf);
  return {gbk.begin(), gbk.end()};
}

}  // namespace program
