#include "platform/winapi/codepage/chinese_script.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <memory>
#include <mutex>

namespace winapi::codepage {
namespace {

// A transliterator is costly to build and not meant for concurrent use, so
// each direction is built once and used under a lock.
struct Transform {
  std::mutex lock;
  std::unique_ptr<icu::Transliterator> transliterator;
};

Transform* transform_for(ChineseScript to) {
  static Transform simplified;
  static Transform traditional;
  static std::once_flag once;
  std::call_once(once, [] {
    UErrorCode status = U_ZERO_ERROR;
    simplified.transliterator.reset(
        icu::Transliterator::createInstance("Traditional-Simplified", UTRANS_FORWARD, status));
    status = U_ZERO_ERROR;
    traditional.transliterator.reset(
        icu::Transliterator::createInstance("Simplified-Traditional", UTRANS_FORWARD, status));
  });
  Transform* t = to == ChineseScript::kSimplified ? &simplified : &traditional;
  return t->transliterator ? t : nullptr;
}

}  // namespace

std::optional<std::u16string> map_chinese_script(std::u16string_view text, ChineseScript to) {
  Transform* transform = transform_for(to);
  if (transform == nullptr) {
    return std::nullopt;
  }
  std::lock_guard guard(transform->lock);
  std::u16string result;
  result.reserve(text.size());
  const auto* units = reinterpret_cast<const UChar*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  int32_t i = 0;
  while (i < length) {
    const int32_t start = i;
    UChar32 c;
    U16_NEXT(units, i, length, c);
    icu::UnicodeString one(units + start, i - start);
    transform->transliterator->transliterate(one);
    result.append(reinterpret_cast<const char16_t*>(one.getBuffer()),
                  static_cast<size_t>(one.length()));
  }
  return result;
}

}  // namespace winapi::codepage
