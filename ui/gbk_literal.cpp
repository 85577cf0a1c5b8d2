#include "ui/gbk_literal.h"

#include "platform/gbk/gbk_codec.h"

namespace ui {

std::string gbk(std::string_view utf8) {
  return gbk::from_utf8(utf8);
}

}  // namespace ui
