#include "platform/gbk/gbk_codec.h"

#include <windows.h>

#include <string>

namespace gbk {
namespace {

constexpr UINT kGbk = 936;

// Both directions go through the system's converters; UTF-16 units travel as
// wchar_t, which is 16 bits on Windows.
std::wstring to_wide(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) {
    return {};
  }
  const int in = static_cast<int>(bytes.size());
  // Each input byte yields at most one UTF-16 unit.
  std::wstring out(bytes.size(), L'\0');
  const int n = MultiByteToWideChar(code_page, 0, bytes.data(), in, out.data(), in);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::string from_wide(UINT code_page, std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int in = static_cast<int>(text.size());
  // A UTF-16 unit becomes at most three bytes (UTF-8), two in GBK.
  std::string out(text.size() * 3, '\0');
  const int size = static_cast<int>(out.size());
  // No best-fit look-alikes: a character GBK cannot hold becomes '?'. The
  // default character is only allowed for code pages other than UTF-8.
  const bool gbk = code_page == kGbk;
  const int n = WideCharToMultiByte(code_page, gbk ? WC_NO_BEST_FIT_CHARS : 0, text.data(), in,
                                    out.data(), size, gbk ? "?" : nullptr, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::u16string to_u16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

std::wstring to_wstring(std::u16string_view text) {
  return {text.begin(), text.end()};
}

}  // namespace

std::u16string to_utf16(std::string_view gbk_bytes) {
  return to_u16(to_wide(kGbk, gbk_bytes));
}

std::string to_utf8(std::string_view gbk_bytes) {
  return from_wide(CP_UTF8, to_wide(kGbk, gbk_bytes));
}

std::string from_utf16(std::u16string_view text) {
  return from_wide(kGbk, to_wstring(text));
}

std::string from_utf8(std::string_view utf8) {
  return from_wide(kGbk, to_wide(CP_UTF8, utf8));
}

}  // namespace gbk
