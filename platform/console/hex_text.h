// A number as messages write it: "0x" and lower-case hexadecimal digits.
// Readers build many such texts for the places they name, so it formats
// with std::to_chars rather than a printf.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace console {

inline std::string hex_text(uint64_t value) {
  char digits[2 + 16] = {'0', 'x'};
  const auto end = std::to_chars(digits + 2, digits + sizeof digits, value, 16).ptr;
  return std::string(digits, end);
}

}  // namespace console
