#include "platform/gbk/gbk_text.h"

#include "platform/gbk/gbk_codec.h"

namespace gbk {

QString to_qstring(std::string_view gbk_bytes) {
  const std::u16string wide = to_utf16(gbk_bytes);
  return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

std::string from_qstring(const QString& text) {
  return from_utf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<size_t>(text.size())));
}

}  // namespace gbk
