// The result of a size query, kept for the conversion call that follows it.
// A program asks for the size, allocates, and asks again with the same
// arguments; converting once and copying the kept result into the second
// call's buffer halves the work of that pattern.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/winapi/base/windows_types.h"
#include "platform/winapi/codepage/code_pages.h"

namespace winapi::codepage {

// The arguments a result depends on. The source is compared by address and by
// content, so a buffer changed between the two calls is converted afresh.
template <typename From>
struct ConversionCall {
  UINT code_page = 0;
  DWORD flags = 0;
  std::basic_string_view<From> source;
  std::optional<std::string_view> default_bytes;
};

template <typename From, typename To>
class RememberedResult {
 public:
  void keep(const ConversionCall<From>& call, Converted<To> result) {
    code_page_ = call.code_page;
    flags_ = call.flags;
    source_address_ = call.source.data();
    source_.assign(call.source);
    default_bytes_ =
        call.default_bytes ? std::optional<std::string>(*call.default_bytes) : std::nullopt;
    result_ = std::move(result);
  }

  // The kept result when `call` repeats the kept call; forgotten either way,
  // so nothing is held past the call that follows the query.
  std::optional<Converted<To>> take(const ConversionCall<From>& call) {
    if (!result_) {
      return std::nullopt;
    }
    std::optional<Converted<To>> kept = std::exchange(result_, std::nullopt);
    const bool same = call.code_page == code_page_ && call.flags == flags_ &&
                      call.source.data() == source_address_ && call.source == source_ &&
                      call.default_bytes == default_bytes_;
    std::basic_string<From>().swap(source_);
    return same ? std::move(kept) : std::nullopt;
  }

 private:
  UINT code_page_ = 0;
  DWORD flags_ = 0;
  const From* source_address_ = nullptr;
  std::basic_string<From> source_;
  std::optional<std::string> default_bytes_;
  std::optional<Converted<To>> result_;
};

}  // namespace winapi::codepage
