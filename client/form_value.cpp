#include "client/form_value.h"

#include <string>

#include "runtime/shared_routines.h"

namespace client {
namespace {

// "&" and "=" split fields, "+" and "%" are decoded as a blank and an escape,
// "#" ends the query, blanks and control bytes end or break the line.
bool changes_structure(unsigned char byte) {
  switch (byte) {
    case '&':
    case '=':
    case '+':
    case '%':
    case '#':
    case ' ':
    case 0x7F:
      return true;
    default:
      return byte < 0x20;
  }
}

}  // namespace

rt::Text form_value(rt::TextView value) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(value.size());
  for (const char c : value.view()) {
    const auto byte = static_cast<unsigned char>(c);
    if (changes_structure(byte)) {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return rt::concat({encoded.c_str()});
}

}  // namespace client
