#include "web/code_pages.h"

#include <cstring>

#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "web/dll_call.h"

namespace web {
namespace {

using program::Dll;

constexpr int32_t kWholeText = -1;  // the source ends at its terminator, which is converted too
constexpr uint32_t kLocaleChinaSimplified = 0x0804;
constexpr uint32_t kMapSimplifiedChinese = 0x02000000;

// Units before the first zero unit, or -1 when there is none.
int32_t units_before_zero(rt::BytesView units) {
  const size_t count = units.size() / 2;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* unit = units.data() + 2 * i;
    if (unit[0] == 0 && unit[1] == 0) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

}  // namespace

rt::Text ConvertUtf8ToGbk(rt::TextView text) {
  const rt::Bytes units = MultiByteToUtf16(text, kCodePageUtf8);
  return Utf16ToMultiByte(units, kCodePageGbk);
}

rt::Text ConvertBig5ToSimplifiedGbk(rt::TextView text) {
  const rt::Text gbk = Big5ToGbk(text);
  return TraditionalToSimplified(gbk);
}

rt::Bytes MultiByteToUtf16(rt::TextView text, std::optional<uint32_t> code_page) {
  const uint32_t page = code_page.value_or(kCodePageUtf8);
  const int32_t units =
      call_int(Dll::MultiByteToWideChar, {page, 0, word(text.c_str()), int_word(kWholeText), 0, 0});
  rt::Bytes buffer = rt::zero_bytes(2 * units);
  if (units > 0) {
    call(Dll::MultiByteToWideChar,
         {page, 0, word(text.c_str()), int_word(kWholeText), word(buffer.data()), int_word(units)});
  }
  return buffer;
}

// A byte set without a zero unit is converted by its count of whole units, so
// the conversion never reads past the set's end; the result is then cut to
// what the conversion wrote, since no terminator comes with it.
rt::Text Utf16ToMultiByte(rt::BytesView units, std::optional<uint32_t> code_page) {
  const uint32_t page = code_page.value_or(kCodePageAnsi);
  const bool terminated = units_before_zero(units) >= 0;
  const int32_t source = terminated ? kWholeText : static_cast<int32_t>(units.size() / 2);
  if (source == 0) {
    return {};
  }
  const uintptr_t from = word(units.data());
  const int32_t needed =
      call_int(Dll::WideCharToMultiByte, {page, 0, from, int_word(source), 0, 0, 0, 0});
  const int32_t size = 2 * needed;
  rt::Text buffer = rt::blank_text(size);
  const int32_t written =
      call_int(Dll::WideCharToMultiByte,
               {page, 0, from, int_word(source), word(buffer.data()), int_word(size), 0, 0});
  if (!terminated && written > 0) {
    return rt::left_text(buffer, written);
  }
  return buffer;
}

rt::Text Big5ToGbk(rt::TextView text) {
  const uintptr_t from = word(text.c_str());
  const int32_t units =
      call_int(Dll::MultiByteToWideChar, {kCodePageBig5, 0, from, int_word(kWholeText), 0, 0});
  const rt::Bytes wide = rt::zero_bytes(2 * units);
  if (units > 0) {
    call(Dll::MultiByteToWideChar,
         {kCodePageBig5, 0, from, int_word(kWholeText), word(wide.data()), int_word(units)});
  }
  // The empty text as the default character: what GBK cannot hold becomes a
  // zero byte, and the result ends before it.
  const uintptr_t default_char = word(konst::text(konst::Const::Empty).c_str());
  const int32_t needed =
      call_int(Dll::WideCharToMultiByteDefaultChar,
               {kCodePageGbk, 0, word(wide.data()), int_word(units), 0, 0, default_char, 0});
  rt::Text buffer = rt::blank_text(needed);
  if (needed > 0) {
    call(Dll::WideCharToMultiByteDefaultChar,
         {kCodePageGbk, 0, word(wide.data()), int_word(units), word(buffer.data()),
          int_word(needed), default_char, 0});
  }
  return buffer;
}

rt::Text TraditionalToSimplified(rt::TextView text) {
  const int32_t length = rt::text_length(text);
  rt::Text buffer = rt::blank_text(length);
  if (length > 0) {
    call(Dll::LCMapStringA, {kLocaleChinaSimplified, kMapSimplifiedChinese, word(text.c_str()),
                             int_word(length), word(buffer.data()), int_word(length)});
  }
  return buffer;
}

}  // namespace web
