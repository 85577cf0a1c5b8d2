#include "platform/support/link_target.h"

#include <cctype>

#include "platform/gbk/gbk_codec.h"
#include "platform/paths/paths.h"
#include "platform/support/desktop.h"

namespace support {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// GBK's second bytes are never blanks, so trimming bytes trims characters.
std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && is_blank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

// A letter, then one or more letters, digits, '+', '.' or '-', then ':'.
bool has_scheme(std::string_view s) {
  const auto is_letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  const auto is_scheme_char = [&](char c) {
    return is_letter(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '.' ||
           c == '-';
  };
  if (s.empty() || !is_letter(s[0])) {
    return false;
  }
  size_t i = 1;
  while (i < s.size() && is_scheme_char(s[i])) {
    ++i;
  }
  return i >= 2 && i < s.size() && s[i] == ':';
}

}  // namespace

LinkTarget classify(std::string_view gbk_target) {
  const std::string_view target = trimmed(gbk_target);
  if (has_scheme(target)) {
    return {LinkTarget::Kind::Url, gbk::to_utf8(target), {}};
  }
  return {LinkTarget::Kind::LocalFile, {}, paths::host_path(target)};
}

bool open_link(std::string_view gbk_target) {
  return open_target(classify(gbk_target));
}

}  // namespace support
