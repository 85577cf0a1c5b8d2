#include "platform/winapi/codepage/code_pages.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <string>
#include <vector>

#include "platform/winapi/codepage/codepage.h"

namespace winapi::codepage {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Opening a converter looks its tables up by name, which costs more than a
// short conversion; each thread keeps the converters it opened and resets
// one before each use.
UConverter* converter_for(const char* name) {
  struct Opened {
    std::string name;
    Converter converter;
  };
  thread_local std::vector<Opened> opened;
  for (Opened& o : opened) {
    if (o.name == name) {
      ucnv_reset(o.converter.get());
      return o.converter.get();
    }
  }
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(name, &status));
  // The names come from converter_name(), which lists only converters ICU ships.
  if (U_FAILURE(status) || !c) {
    return nullptr;
  }
  opened.push_back({name, std::move(c)});
  return opened.back().converter.get();
}

bool is_conversion_fault(UConverterCallbackReason reason) {
  return reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR;
}

void on_invalid_bytes(const void* context, UConverterToUnicodeArgs* args, const char* bytes,
                      int32_t length, UConverterCallbackReason reason, UErrorCode* status) {
  if (is_conversion_fault(reason)) {
    static_cast<Outcome*>(const_cast<void*>(context))->invalid_input = true;
  }
  UCNV_TO_U_CALLBACK_SUBSTITUTE(nullptr, args, bytes, length, reason, status);
}

struct EncodeState {
  Outcome* outcome;
  std::optional<std::string_view> default_bytes;
};

void on_unmappable(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                   UChar32, UConverterCallbackReason reason, UErrorCode* status) {
  if (!is_conversion_fault(reason)) {
    return;
  }
  auto* state = static_cast<EncodeState*>(const_cast<void*>(context));
  state->outcome->used_default = true;
  if (reason == UCNV_ILLEGAL) {
    state->outcome->invalid_input = true;
  }
  *status = U_ZERO_ERROR;
  if (state->default_bytes) {
    ucnv_cbFromUWriteBytes(args, state->default_bytes->data(),
                           static_cast<int32_t>(state->default_bytes->size()), 0, status);
  } else {
    ucnv_cbFromUWriteSub(args, 0, status);
  }
}

// Runs `step(target, limit)` into the caller's memory, then, for what did not
// fit, into a scratch chunk that is only counted, so the size always covers
// the whole result. `step` returns the ICU status of one ucnv_*Unicode call.
template <typename Unit, typename Step>
size_t convert_counting(std::span<Unit> target, const Step& step, UErrorCode& status) {
  size_t size = 0;
  status = U_BUFFER_OVERFLOW_ERROR;
  if (!target.empty()) {
    Unit* out = target.data();
    status = step(out, target.data() + target.size());
    size = static_cast<size_t>(out - target.data());
  }
  std::array<Unit, 2048> chunk;
  while (status == U_BUFFER_OVERFLOW_ERROR) {
    Unit* out = chunk.data();
    status = step(out, chunk.data() + chunk.size());
    size += static_cast<size_t>(out - chunk.data());
  }
  return size;
}

// Converts into memory sized by `capacity`, which is room enough for every
// input of the code pages in use; a larger result is converted again at its size.
template <typename Char, typename Convert>
Converted<Char> convert_whole(size_t capacity, const Convert& convert) {
  for (;;) {
    Converted<Char> result{std::make_unique_for_overwrite<Char[]>(capacity), {}};
    result.outcome = convert(std::span<Char>(result.data.get(), capacity));
    if (result.outcome.size <= capacity) {
      return result;
    }
    capacity = result.outcome.size;
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

Outcome to_utf16(const char* converter, std::string_view bytes, std::span<char16_t> target) {
  Outcome outcome;
  UConverter* c = converter_for(converter);
  if (c == nullptr) {
    outcome.invalid_input = true;
    return outcome;
  }
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(c, on_invalid_bytes, &outcome, nullptr, nullptr, &status);
  const char* source = bytes.data();
  const char* const source_end = source + bytes.size();
  std::span<UChar> units(reinterpret_cast<UChar*>(target.data()), target.size());
  outcome.size = convert_counting(
      units,
      [&](UChar*& out, UChar* limit) {
        UErrorCode step = U_ZERO_ERROR;
        ucnv_toUnicode(c, &out, limit, &source, source_end, nullptr, true, &step);
        return step;
      },
      status);
  if (U_FAILURE(status)) {
    outcome.invalid_input = true;
  }
  return outcome;
}

Outcome from_utf16(const char* converter, std::u16string_view units, std::span<char> target,
                   std::optional<std::string_view> default_bytes) {
  Outcome outcome;
  UConverter* c = converter_for(converter);
  if (c == nullptr) {
    outcome.invalid_input = true;
    return outcome;
  }
  EncodeState state{&outcome, default_bytes};
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(c, on_unmappable, &state, nullptr, nullptr, &status);
  const UChar* source = reinterpret_cast<const UChar*>(units.data());
  const UChar* const source_end = source + units.size();
  outcome.size = convert_counting(
      target,
      [&](char*& out, char* limit) {
        UErrorCode step = U_ZERO_ERROR;
        ucnv_fromUnicode(c, &out, limit, &source, source_end, nullptr, true, &step);
        return step;
      },
      status);
  if (U_FAILURE(status)) {
    outcome.invalid_input = true;
  }
  return outcome;
}

Converted<char16_t> to_utf16(const char* converter, std::string_view bytes) {
  // No byte decodes to more than one unit.
  return convert_whole<char16_t>(
      bytes.size(), [&](std::span<char16_t> target) { return to_utf16(converter, bytes, target); });
}

Converted<char> from_utf16(const char* converter, std::u16string_view units,
                           std::optional<std::string_view> default_bytes) {
  // A unit takes at most three bytes in UTF-8 and two in the double-byte code pages.
  return convert_whole<char>(units.size() * 3, [&](std::span<char> target) {
    return from_utf16(converter, units, target, default_bytes);
  });
}

}  // namespace winapi::codepage
