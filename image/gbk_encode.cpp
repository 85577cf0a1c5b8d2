#include "image/gbk_encode.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

#include "platform/gbk/gbk_text.h"

namespace program {

// Every constant must survive the trip to GBK; a character GBK cannot hold
// would silently become '?' in a message, so the build stops instead.
std::string to_gbk(std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  std::string out = gbk::from_qstring(text);
  if (gbk::to_qstring(out) != text) {
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
