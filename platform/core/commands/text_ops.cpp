#include "platform/core/commands/text_ops.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/core/commands/gbk_scan.h"

namespace core::text_ops {
namespace {

using gbk_scan::char_length;
using gbk_scan::Finder;

constexpr std::string_view kIdeographicSpace = "\xA1\xA1";

size_t clamp_count(int64_t count, size_t limit) {
  return count <= 0 ? 0 : std::min(static_cast<size_t>(count), limit);
}

// Length of the blank character at `pos`, 0 when it is none.
size_t blank_length(std::string_view text, size_t pos) {
  const char c = text[pos];
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
    return 1;
  }
  return text.substr(pos, 2) == kIdeographicSpace ? 2 : 0;
}

}  // namespace

std::string_view left(std::string_view text, int64_t count) {
  return text.substr(0, clamp_count(count, text.size()));
}

std::string_view right(std::string_view text, int64_t count) {
  return text.substr(text.size() - clamp_count(count, text.size()));
}

std::string_view mid(std::string_view text, int64_t start, int64_t count) {
  const size_t from = clamp_count(start - 1, text.size());
  return text.substr(from, clamp_count(count, text.size() - from));
}

int64_t find(std::string_view text, std::string_view sought, int64_t start, bool ignore_case) {
  const size_t from = clamp_count(start - 1, text.size());
  const size_t found = Finder(sought, ignore_case).find(text, from);
  return found == std::string_view::npos ? -1 : static_cast<int64_t>(found) + 1;
}

int64_t find_last(std::string_view text, std::string_view sought, bool ignore_case) {
  const size_t found = Finder(sought, ignore_case).find_last(text);
  return found == std::string_view::npos ? -1 : static_cast<int64_t>(found) + 1;
}

std::string_view trim_blanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && blank_length(text, begin) > 0) {
    begin += blank_length(text, begin);
  }
  // The end of the last character that is not blank, found walking forward so
  // that a trailing A1 A1 is only taken for a space when it is a character.
  size_t end = begin;
  for (size_t pos = begin; pos < text.size();) {
    const size_t blank = blank_length(text, pos);
    pos += blank > 0 ? blank : char_length(text, pos);
    if (blank == 0) {
      end = pos;
    }
  }
  return text.substr(begin, end - begin);
}

std::string remove_blanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t blank = blank_length(text, pos);
    const size_t length = blank > 0 ? blank : char_length(text, pos);
    if (blank == 0) {
      result.append(text.substr(pos, length));
    }
    pos += length;
  }
  return result;
}

std::string replace_range(std::string_view text, int64_t start, int64_t count,
                          std::string_view replacement) {
  const size_t from = clamp_count(start - 1, text.size());
  const size_t removed = clamp_count(count, text.size() - from);
  std::string result;
  result.reserve(text.size() - removed + replacement.size());
  result.append(text.substr(0, from));
  result.append(replacement);
  result.append(text.substr(from + removed));
  return result;
}

std::string replace_all(std::string_view text, std::string_view sought,
                        std::string_view replacement, bool case_matters) {
  const Finder finder(sought, !case_matters);
  std::string result;
  size_t done = 0;
  for (size_t found = finder.find(text, 0); found != std::string_view::npos;
       found = finder.find(text, done)) {
    result.append(text.substr(done, found - done));
    result.append(replacement);
    done = found + sought.size();
  }
  result.append(text.substr(done));
  return result;
}

int compare(std::string_view a, std::string_view b, bool case_matters) {
  const int order =
      case_matters ? a.compare(b) : gbk_scan::to_lower(a).compare(gbk_scan::to_lower(b));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::vector<std::string_view> split(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> pieces;
  if (text.empty()) {
    return pieces;
  }
  const Finder finder(delimiter, false);
  size_t begin = 0;
  for (size_t found = finder.find(text, 0); found != std::string_view::npos;
       found = finder.find(text, begin)) {
    pieces.push_back(text.substr(begin, found - begin));
    begin = found + delimiter.size();
  }
  pieces.push_back(text.substr(begin));
  return pieces;
}

double to_number(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
    ++pos;
  }
  double sign = 1.0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    sign = text[pos] == '-' ? -1.0 : 1.0;
    ++pos;
  }
  // from_chars alone would also take "inf", "nan" and a second sign.
  if (pos == text.size() ||
      !(std::isdigit(static_cast<unsigned char>(text[pos])) || text[pos] == '.')) {
    return 0.0;
  }
  double value = 0.0;
  const char* begin = text.data() + pos;
  const auto [end, error] =
      std::from_chars(begin, text.data() + text.size(), value, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // Without an exponent only a zero whole part can underflow.
    const std::string_view digits(begin, static_cast<size_t>(end - begin));
    const bool tiny =
        digits.substr(0, digits.find('.')).find_first_not_of('0') == std::string_view::npos;
    return sign * (tiny ? 0.0 : HUGE_VAL);
  }
  return error == std::errc() ? sign * value : 0.0;
}

}  // namespace core::text_ops
