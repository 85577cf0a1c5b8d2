#include "image/start/konst.h"

#include <cstring>

#include "image/program_image_layout.h"
#include "image/start/bound_words.h"

namespace konst {

const uint8_t* address(Const c) {
  return program::bound().const_base + program::layout::kConstOffsets[static_cast<size_t>(c)];
}

rt::TextView text(Const c) {
  return reinterpret_cast<const char*>(address(c));
}

rt::BytesView bytes(Const c) {
  return rt::BytesView(address(c));
}

double number(Const c) {
  double value;
  std::memcpy(&value, address(c), sizeof value);
  return value;
}

}  // namespace konst
