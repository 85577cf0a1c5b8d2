#include "platform/core/commands/gbk_scan.h"

namespace core::gbk_scan {
namespace {

unsigned char lower(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}
unsigned char upper(unsigned char c) {
  return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
}

template <typename Change>
std::string change_letters(std::string_view text, Change change) {
  std::string result(text);
  for (size_t pos = 0; pos < result.size();) {
    const size_t length = char_length(result, pos);
    if (length == 1) {
      result[pos] = static_cast<char>(change(static_cast<unsigned char>(result[pos])));
    }
    pos += length;
  }
  return result;
}

}  // namespace

std::string to_upper(std::string_view text) {
  return change_letters(text, upper);
}
std::string to_lower(std::string_view text) {
  return change_letters(text, lower);
}

Finder::Finder(std::string_view sought, bool ignore_case)
    : sought_(ignore_case ? to_lower(sought) : std::string(sought)),
      prefix_(sought.size(), 0),
      ignore_case_(ignore_case) {
  uint32_t border = 0;
  for (size_t i = 1; i < sought_.size(); ++i) {
    while (border > 0 && sought_[i] != sought_[border]) {
      border = prefix_[border - 1];
    }
    if (sought_[i] == sought_[border]) {
      ++border;
    }
    prefix_[i] = border;
  }
}

template <typename OnMatch>
void Finder::scan(std::string_view text, size_t from, OnMatch on_match) const {
  const size_t m = sought_.size();
  if (m == 0) {
    return;
  }
  size_t matched = 0;
  size_t next_char = from;    // the next character start at or after the scan position
  size_t start_check = from;  // a character start at or before the latest match start
  for (size_t i = from; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (i == next_char) {
      const size_t length = char_length(text, i);
      next_char = i + length;
      if (ignore_case_ && length == 1) {
        c = lower(c);
      }
    }
    while (matched > 0 && static_cast<unsigned char>(sought_[matched]) != c) {
      matched = prefix_[matched - 1];
    }
    if (static_cast<unsigned char>(sought_[matched]) == c) {
      ++matched;
    }
    if (matched == m) {
      const size_t start = i + 1 - m;
      while (start_check < start) {
        start_check += char_length(text, start_check);
      }
      if (start_check == start && on_match(start)) {
        return;
      }
      matched = prefix_[m - 1];
    }
  }
}

size_t Finder::find(std::string_view text, size_t from) const {
  size_t found = std::string_view::npos;
  scan(text, from, [&](size_t start) {
    found = start;
    return true;
  });
  return found;
}

size_t Finder::find_last(std::string_view text) const {
  size_t found = std::string_view::npos;
  scan(text, 0, [&](size_t start) {
    found = start;
    return false;
  });
  return found;
}

}  // namespace core::gbk_scan
