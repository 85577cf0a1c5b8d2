// Conversions computed with ICU's plain one-call API, as the references the
// code-page functions are compared with.
#pragma once

#include <memory>
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

// One converter kept open for many short conversions, each as decode() and
// encode() above would give it.
class Codec {
 public:
  explicit Codec(const char* converter);
  ~Codec();
  Codec(const Codec&) = delete;
  Codec& operator=(const Codec&) = delete;

  Decoded decode(std::string_view bytes);
  std::string encode(std::u16string_view units);
  // nullopt when some unit has no form in the code page.
  std::optional<std::string> encode_strictly(std::u16string_view units);

 private:
  struct Converters;
  std::unique_ptr<Converters> converters_;
};

// Each code point transliterated on its own ("Traditional-Simplified" or
// "Simplified-Traditional").
std::u16string transliterate_each(const char* transform, std::u16string_view units);

}  // namespace reference
