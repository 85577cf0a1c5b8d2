#include "tests/codepage/icu_reference.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <map>
#include <memory>
#include <stdexcept>

namespace reference {
namespace {

struct Closer {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, Closer>;

Converter open(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(name, &status));
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("no ICU converter ") + name);
  }
  return c;
}

std::u16string to_uchars(UConverter* c, std::string_view bytes, UErrorCode& status) {
  const auto length = static_cast<int32_t>(bytes.size());
  const int32_t needed = ucnv_toUChars(c, nullptr, 0, bytes.data(), length, &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    status = U_ZERO_ERROR;
  }
  std::u16string units(static_cast<size_t>(needed) + 1, u'\0');
  ucnv_toUChars(c, reinterpret_cast<UChar*>(units.data()), needed + 1, bytes.data(), length,
                &status);
  units.resize(static_cast<size_t>(needed));
  return units;
}

}  // namespace

Decoded decode(const char* converter, std::string_view bytes) {
  Decoded result;
  const Converter c = open(converter);
  UErrorCode status = U_ZERO_ERROR;
  result.units = to_uchars(c.get(), bytes, status);
  const Converter strict = open(converter);
  status = U_ZERO_ERROR;
  ucnv_setToUCallBack(strict.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  to_uchars(strict.get(), bytes, status);
  result.valid = U_SUCCESS(status);
  return result;
}

std::string encode(const char* converter, std::u16string_view units,
                   std::optional<std::string_view> substitute) {
  const Converter c = open(converter);
  UErrorCode status = U_ZERO_ERROR;
  if (substitute) {
    ucnv_setSubstChars(c.get(), substitute->data(), static_cast<int8_t>(substitute->size()),
                       &status);
  }
  const auto* source = reinterpret_cast<const UChar*>(units.data());
  const auto length = static_cast<int32_t>(units.size());
  const int32_t needed = ucnv_fromUChars(c.get(), nullptr, 0, source, length, &status);
  status = U_ZERO_ERROR;
  std::string bytes(static_cast<size_t>(needed) + 1, '\0');
  ucnv_fromUChars(c.get(), bytes.data(), needed + 1, source, length, &status);
  bytes.resize(static_cast<size_t>(needed));
  return bytes;
}

struct Codec::Converters {
  Converter lenient;
  Converter strict;
};

Codec::Codec(const char* converter)
    : converters_(new Converters{open(converter), open(converter)}) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* strict = converters_->strict.get();
  ucnv_setToUCallBack(strict, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(strict, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
}

Codec::~Codec() = default;

Decoded Codec::decode(std::string_view bytes) {
  Decoded result;
  UErrorCode status = U_ZERO_ERROR;
  result.units = to_uchars(converters_->lenient.get(), bytes, status);
  status = U_ZERO_ERROR;
  to_uchars(converters_->strict.get(), bytes, status);
  result.valid = U_SUCCESS(status);
  return result;
}

std::string Codec::encode(std::u16string_view units) {
  const auto* source = reinterpret_cast<const UChar*>(units.data());
  const auto length = static_cast<int32_t>(units.size());
  std::string bytes(units.size() * 4 + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(converters_->lenient.get(), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), source, length, &status);
  bytes.resize(static_cast<size_t>(n));
  return bytes;
}

std::optional<std::string> Codec::encode_strictly(std::u16string_view units) {
  const auto* source = reinterpret_cast<const UChar*>(units.data());
  const auto length = static_cast<int32_t>(units.size());
  std::string bytes(units.size() * 4 + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(converters_->strict.get(), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), source, length, &status);
  if (U_FAILURE(status)) {
    return std::nullopt;
  }
  bytes.resize(static_cast<size_t>(n));
  return bytes;
}

std::u16string transliterate_each(const char* transform, std::u16string_view units) {
  static std::map<std::string, std::unique_ptr<icu::Transliterator>> made;
  auto& t = made[transform];
  if (!t) {
    UErrorCode status = U_ZERO_ERROR;
    t.reset(icu::Transliterator::createInstance(transform, UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
      throw std::runtime_error(std::string("no ICU transform ") + transform);
    }
  }
  std::u16string result;
  const auto* source = reinterpret_cast<const UChar*>(units.data());
  const auto length = static_cast<int32_t>(units.size());
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c;
    U16_NEXT(source, i, length, c);
    icu::UnicodeString one(source + start, i - start);
    t->transliterate(one);
    result.append(reinterpret_cast<const char16_t*>(one.getBuffer()),
                  static_cast<size_t>(one.length()));
  }
  return result;
}

}  // namespace reference
