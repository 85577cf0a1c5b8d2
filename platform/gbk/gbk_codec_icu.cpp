#include "platform/gbk/gbk_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>

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

std::string to_utf8(std::string_view gbk_bytes) {
  const std::u16string wide = to_utf16(gbk_bytes);
  // A UTF-16 unit becomes at most three UTF-8 bytes.
  std::string out(wide.size() * 3, '\0');
  int32_t n = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &n, wide.data(),
              static_cast<int32_t>(wide.size()), &status);
  out.resize(converted(status) ? static_cast<size_t>(n) : 0);
  return out;
}

std::string from_utf8(std::string_view utf8) {
  std::u16string wide(utf8.size(), u'\0');
  int32_t n = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(wide.data(), static_cast<int32_t>(wide.size()), &n, utf8.data(),
                       static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
  wide.resize(converted(status) ? static_cast<size_t>(n) : 0);
  return from_utf16(wide);
}

}  // namespace gbk
