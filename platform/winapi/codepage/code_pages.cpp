#include "platform/winapi/codepage/code_pages.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <memory>

#include "platform/winapi/codepage/codepage.h"

namespace winapi::codepage {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter open_converter(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(name, &status));
  // The names come from converter_name(), which lists only converters ICU ships.
  if (U_FAILURE(status)) {
    c.reset();
  }
  return c;
}

bool is_conversion_fault(UConverterCallbackReason reason) {
  return reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR;
}

void on_invalid_bytes(const void* context, UConverterToUnicodeArgs* args, const char* bytes,
                      int32_t length, UConverterCallbackReason reason, UErrorCode* status) {
  if (is_conversion_fault(reason)) {
    static_cast<Decoded*>(const_cast<void*>(context))->invalid_input = true;
  }
  UCNV_TO_U_CALLBACK_SUBSTITUTE(nullptr, args, bytes, length, reason, status);
}

struct EncodeState {
  Encoded* result;
  std::optional<std::string_view> default_bytes;
};

void on_unmappable(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                   UChar32, UConverterCallbackReason reason, UErrorCode* status) {
  if (!is_conversion_fault(reason)) {
    return;
  }
  auto* state = static_cast<EncodeState*>(const_cast<void*>(context));
  state->result->used_default = true;
  if (reason == UCNV_ILLEGAL) {
    state->result->invalid_input = true;
  }
  *status = U_ZERO_ERROR;
  if (state->default_bytes) {
    ucnv_cbFromUWriteBytes(args, state->default_bytes->data(),
                           static_cast<int32_t>(state->default_bytes->size()), 0, status);
  } else {
    ucnv_cbFromUWriteSub(args, 0, status);
  }
}

}  // namespace

std::optional<const char*> converter_name(UINT code_page) {
  switch (code_page) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
    case 936:
      return "windows-936-2000";
    case 950:
      return "windows-950-2000";
    case CP_UTF8:
      return "UTF-8";
    default:
      return std::nullopt;
  }
}

Decoded to_utf16(const char* converter, std::string_view bytes) {
  Decoded result;
  Converter c = open_converter(converter);
  if (!c) {
    result.invalid_input = true;
    return result;
  }
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(c.get(), on_invalid_bytes, &result, nullptr, nullptr, &status);
  const char* source = bytes.data();
  const char* const source_end = bytes.data() + bytes.size();
  std::array<UChar, 1024> chunk;
  for (;;) {
    UChar* target = chunk.data();
    status = U_ZERO_ERROR;
    ucnv_toUnicode(c.get(), &target, chunk.data() + chunk.size(), &source, source_end, nullptr,
                   true, &status);
    result.units.append(reinterpret_cast<const char16_t*>(chunk.data()),
                        static_cast<size_t>(target - chunk.data()));
    if (status != U_BUFFER_OVERFLOW_ERROR) {
      break;
    }
  }
  if (U_FAILURE(status)) {
    result.invalid_input = true;
  }
  return result;
}

Encoded from_utf16(const char* converter, std::u16string_view units,
                   std::optional<std::string_view> default_bytes) {
  Encoded result;
  Converter c = open_converter(converter);
  if (!c) {
    result.invalid_input = true;
    return result;
  }
  EncodeState state{&result, default_bytes};
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(c.get(), on_unmappable, &state, nullptr, nullptr, &status);
  const UChar* source = reinterpret_cast<const UChar*>(units.data());
  const UChar* const source_end = source + units.size();
  std::array<char, 2048> chunk;
  for (;;) {
    char* target = chunk.data();
    status = U_ZERO_ERROR;
    ucnv_fromUnicode(c.get(), &target, chunk.data() + chunk.size(), &source, source_end, nullptr,
                     true, &status);
    result.bytes.append(chunk.data(), static_cast<size_t>(target - chunk.data()));
    if (status != U_BUFFER_OVERFLOW_ERROR) {
      break;
    }
  }
  if (U_FAILURE(status)) {
    result.invalid_input = true;
  }
  return result;
}

}  // namespace winapi::codepage
