#include "bench/codepage/corpus.h"

#include "tests/codepage/icu_reference.h"

namespace bench {

std::vector<std::string> gbk_characters() {
  std::vector<std::string> characters;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const auto decoded = reference::decode("windows-936-2000", code);
      if (decoded.valid && decoded.units.size() == 1) {
        characters.push_back(code);
      }
    }
  }
  return characters;
}

std::string gbk_text(const std::vector<std::string>& characters, size_t bytes) {
  static const char kAscii[] = " 0123456789abcdefghijklmnopqrstuvwxyz,.";
  std::string text;
  text.reserve(bytes + 2);
  size_t next = 0;
  while (text.size() + 3 <= bytes) {
    // About one ASCII byte in eight, as in a page that mixes text and markup.
    if (next % 7 == 3) {
      text += kAscii[next % (sizeof kAscii - 1)];
    }
    text += characters[(next * 7919) % characters.size()];
    ++next;
  }
  text.resize(bytes, ' ');
  return text;
}

}  // namespace bench
