// The GBK search over reply bodies checked against a naive search: at every
// character start, compare the bytes (after folding the one-byte letters when
// case does not matter).
#include <string>
#include <string_view>

#include "platform/core/commands/gbk_scan.h"
#include "platform/core/commands/text_ops.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_targets.h"

namespace fuzz_targets {
namespace {

constexpr size_t npos = std::string_view::npos;

// Two bytes when a byte 81-FE is followed by one of 40-FE other than 7F.
size_t character_length(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (at + 1 >= text.size() || lead < 0x81 || lead == 0xFF) {
    return 1;
  }
  const auto trail = static_cast<unsigned char>(text[at + 1]);
  return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 1;
}

std::string folded(std::string_view text, bool ignore_case) {
  std::string out(text);
  for (size_t at = 0; ignore_case && at < out.size();) {
    const size_t length = character_length(out, at);
    if (length == 1 && out[at] >= 'A' && out[at] <= 'Z') {
      out[at] = static_cast<char>(out[at] + ('a' - 'A'));
    }
    at += length;
  }
  return out;
}

struct Matches {
  size_t first = npos;
  size_t last = npos;
};

Matches naive_search(std::string_view text, std::string_view sought, size_t from,
                     bool ignore_case) {
  Matches found;
  if (sought.empty() || from > text.size()) {
    return found;
  }
  const std::string hay = folded(text.substr(from), ignore_case);
  const std::string needle = folded(sought, ignore_case);
  for (size_t at = 0; at < hay.size(); at += character_length(hay, at)) {
    if (std::string_view(hay).substr(at, needle.size()) == needle) {
      found.last = from + at;
      if (found.first == npos) {
        found.first = from + at;
      }
    }
  }
  return found;
}

}  // namespace

// Byte 0: bit 0 ignores case; byte 1: length of the sought text; byte 2: the
// start of the search; then the sought text and the text searched.
int gbk_search(const uint8_t* data, size_t size) {
  if (size < 3) {
    return 0;
  }
  const bool ignore_case = (data[0] & 1) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::string_view sought = rest.substr(0, std::min<size_t>(data[1], rest.size()));
  const std::string_view text = rest.substr(sought.size());
  const size_t from = std::min<size_t>(data[2], text.size());

  // A search from `from` starts a fresh character walk there.
  const core::gbk_scan::Finder finder(sought, ignore_case);
  const Matches from_start = naive_search(text, sought, from, ignore_case);
  require(finder.find(text, from) == from_start.first,
          "the first match agrees with the naive search");
  const Matches whole = naive_search(text, sought, 0, ignore_case);
  require(finder.find_last(text) == whole.last, "the last match agrees with the naive search");

  const auto one_based = [](size_t at) { return at == npos ? -1 : static_cast<int64_t>(at) + 1; };
  require(core::text_ops::find(text, sought, static_cast<int64_t>(from) + 1, ignore_case) ==
              one_based(from_start.first),
          "the text command finds what the naive search finds");
  require(core::text_ops::find_last(text, sought, ignore_case) == one_based(whole.last),
          "the text command finds the last match the naive search finds");

  const std::string upper = core::gbk_scan::to_upper(text);
  require(upper.size() == text.size() && folded(upper, true) == folded(text, true),
          "a case change keeps the characters");
  return 0;
}

}  // namespace fuzz_targets
