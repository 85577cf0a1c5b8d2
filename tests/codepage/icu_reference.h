// Conversions computed with ICU's plain one-call API, as the references the
// code-page functions are compared with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace reference {

struct Decoded {
  std::u16string units;  // invalid sequences as ICU substitutes them
  bool valid = true;     // false when some bytes were no character
};
Decoded decode(const char* converter, std::string_view bytes);

// `substitute` replaces what the code page cannot hold; nullopt: its own.
std::string encode(const char* converter, std::u16string_view units,
                   std::optional<std::string_view> substitute = std::nullopt);

// Each code point transliterated on its own ("Traditional-Simplified" or
// "Simplified-Traditional").
std::u16string transliterate_each(const char* transform, std::u16string_view units);

}  // namespace reference
