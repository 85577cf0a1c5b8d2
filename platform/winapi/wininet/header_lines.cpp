#include "platform/winapi/wininet/header_lines.h"

#include <algorithm>

namespace winapi::wininet {
namespace {

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<HeaderLines> split_header_text(std::string_view text) {
  HeaderLines lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    if (trim(line).empty()) {
      continue;
    }
    if (line.find('\r') != std::string_view::npos || header_name(line).empty()) {
      return std::nullopt;
    }
    lines.emplace_back(line);
  }
  return lines;
}

std::string_view header_name(std::string_view line) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) {
    return {};
  }
  return trim(line.substr(0, colon));
}

bool same_header_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

bool has_header(const HeaderLines& lines, std::string_view name) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return same_header_name(header_name(l), name); });
}

void set_header(HeaderLines& lines, std::string_view name, std::string_view value, bool replace) {
  std::string line = std::string(name) + ": " + std::string(value);
  auto first = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return same_header_name(header_name(l), name);
  });
  if (first == lines.end()) {
    lines.push_back(std::move(line));
    return;
  }
  if (!replace) {
    return;
  }
  *first = std::move(line);
  const auto index = first - lines.begin();
  lines.erase(
      std::remove_if(lines.begin() + index + 1, lines.end(),
                     [&](const std::string& l) { return same_header_name(header_name(l), name); }),
      lines.end());
}

void remove_header(HeaderLines& lines, std::string_view name) {
  std::erase_if(lines,
                [&](const std::string& l) { return same_header_name(header_name(l), name); });
}

HeaderLines wire_header_lines(HeaderLines lines, const OwnHeaders& own) {
  if (!own.referer.empty()) {
    set_header(lines, "Referer", own.referer, false);
  }
  if (!own.accept.empty()) {
    set_header(lines, "Accept", own.accept, false);
  }
  if (!own.agent.empty()) {
    set_header(lines, "User-Agent", own.agent, false);
  }
  set_header(lines, "Host", own.host, own.replace_host);
  if (own.content_length) {
    set_header(lines, "Content-Length", std::to_string(*own.content_length), true);
  } else {
    remove_header(lines, "Content-Length");
  }
  if (own.keep_alive) {
    set_header(lines, "Connection", "Keep-Alive", false);
  }
  if (own.no_cache) {
    set_header(lines, "Cache-Control", "no-cache", false);
  }
  if (own.pragma_no_cache) {
    set_header(lines, "Pragma", "no-cache", false);
  }
  if (!own.cookie.empty()) {
    set_header(lines, "Cookie", own.cookie, true);
  }
  return lines;
}

}  // namespace winapi::wininet
