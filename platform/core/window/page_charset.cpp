#include "platform/core/window/page_charset.h"

#include <algorithm>
#include <cctype>

namespace core::window {

std::string declared_charset(std::string_view page) {
  std::string head(page.substr(0, 4096));
  std::transform(head.begin(), head.end(), head.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const size_t at = head.find("charset=");
  if (at == std::string::npos) {
    return {};
  }
  size_t begin = at + 8;
  while (begin < head.size() && (head[begin] == '"' || head[begin] == '\'')) {
    ++begin;
  }
  size_t end = begin;
  while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) ||
                               head[end] == '-' || head[end] == '_')) {
    ++end;
  }
  return head.substr(begin, end - begin);
}

}  // namespace core::window
