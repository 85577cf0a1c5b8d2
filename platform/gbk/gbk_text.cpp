#include "platform/gbk/gbk_text.h"

#include <unicode/ucnv.h>

#include <memory>
#include <mutex>

namespace gbk {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's "windows-936-2000" table is the Windows code page 936 byte for byte.
Converter open_gbk() {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open("windows-936-2000", &status));
  if (U_FAILURE(status)) {
    return nullptr;
  }
  status = U_ZERO_ERROR;
  ucnv_setSubstChars(c.get(), "?", 1, &status);
  return c;
}

// Converters keep state, so each call takes a private clone of one prototype.
Converter clone_gbk() {
  static const Converter prototype = open_gbk();
  if (!prototype) {
    return nullptr;
  }
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_clone(prototype.get(), &status));
  return U_FAILURE(status) ? nullptr : std::move(c);
}

}  // namespace

QString to_qstring(std::string_view gbk_bytes) {
  if (gbk_bytes.empty()) {
    return {};
  }
  Converter c = clone_gbk();
  if (!c) {
    return QString::fromLatin1(gbk_bytes.data(), static_cast<qsizetype>(gbk_bytes.size()));
  }
  QString out(static_cast<qsizetype>(gbk_bytes.size()), Qt::Uninitialized);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(c.get(), reinterpret_cast<UChar*>(out.data()),
                                  static_cast<int32_t>(out.size()), gbk_bytes.data(),
                                  static_cast<int32_t>(gbk_bytes.size()), &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
    return {};
  }
  out.truncate(n);
  return out;
}

std::string from_qstring(const QString& text) {
  if (text.isEmpty()) {
    return {};
  }
  Converter c = clone_gbk();
  if (!c) {
    return text.toLatin1().toStdString();
  }
  std::string out(static_cast<size_t>(text.size()) * 2, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()),
                                    reinterpret_cast<const UChar*>(text.utf16()),
                                    static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
    return {};
  }
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace gbk
