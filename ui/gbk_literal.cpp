#include "ui/gbk_literal.h"

#include "platform/gbk/gbk_text.h"

namespace ui {

std::string gbk(std::string_view utf8) {
  return gbk::from_qstring(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace ui
