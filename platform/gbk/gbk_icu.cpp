#include "platform/gbk/gbk_icu.h"

#include <unicode/ucnv.h>

#include <memory>

#include "platform/gbk/gbk_table.h"

namespace gbk::icu {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's "windows-936-2000" table is the Windows code page 936 byte for byte.
Converter open_gbk() {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(table::kIcuName, &status));
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

bool converted(UErrorCode status) {
  return U_SUCCESS(status) || status == U_STRING_NOT_TERMINATED_WARNING;
}

}  // namespace

std::u16string to_utf16(std::string_view gbk_bytes) {
  Converter c = clone_gbk();
  if (gbk_bytes.empty() || !c) {
    return {};
  }
  // Each GBK byte yields at most one UTF-16 unit.
  std::u16string out(gbk_bytes.size(), u'\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_toUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), gbk_bytes.data(),
                    static_cast<int32_t>(gbk_bytes.size()), &status);
  out.resize(converted(status) ? static_cast<size_t>(n) : 0);
  return out;
}

std::string from_utf16(std::u16string_view text) {
  Converter c = clone_gbk();
  if (text.empty() || !c) {
    return {};
  }
  std::string out(text.size() * 2, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()),
                                    text.data(), static_cast<int32_t>(text.size()), &status);
  out.resize(converted(status) ? static_cast<size_t>(n) : 0);
  return out;
}

}  // namespace gbk::icu
