#include "runtime/shared_routines.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/abi.h"
#include "runtime/program_services.h"

namespace rt {

size_t text_size(const char* text) {
  return text == nullptr ? 0 : std::strlen(text);
}

Text concat(std::initializer_list<TextView> pieces) {
  size_t total = 0;
  for (const TextView piece : pieces) {
    total += piece.size();
  }
  auto* block = static_cast<char*>(alloc(total + 1));
  char* out = block;
  for (const TextView piece : pieces) {
    std::memcpy(out, piece.c_str(), piece.size());
    out += piece.size();
  }
  *out = '\0';
  return Text::adopt(block);
}

int compare_texts(const char* a, const char* b) {
  const int order = std::strcmp(a != nullptr ? a : "", b != nullptr ? b : "");
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

Bytes concat_bytes(std::initializer_list<BytesView> pieces) {
  size_t total = 0;
  for (const BytesView piece : pieces) {
    total += piece.size();
  }
  if (total == 0) {
    return Bytes();
  }
  // The length word cannot count past 4 GiB: the set would be out of range.
  if (total > std::numeric_limits<uint32_t>::max()) {
    report_runtime_error(abi::error::ArrayIndexOutOfRange);
  }
  auto* block = static_cast<uint8_t*>(alloc(abi::kBytesHeaderSize + total));
  const abi::BytesHeader header{1, static_cast<uint32_t>(total)};
  std::memcpy(block, &header, sizeof header);
  uint8_t* out = block + abi::kBytesHeaderSize;
  for (const BytesView piece : pieces) {
    if (piece.size() > 0) {
      std::memcpy(out, piece.data(), piece.size());
      out += piece.size();
    }
  }
  return Bytes::adopt(block);
}

int64_t float_to_int(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  // 2^63 is exactly representable; anything at or beyond it saturates.
  constexpr double kLimit = 9223372036854775808.0;
  if (value >= kLimit) {
    return std::numeric_limits<int64_t>::max();
  }
  if (value < -kLimit) {
    return std::numeric_limits<int64_t>::min();
  }
  return static_cast<int64_t>(value);
}

size_t element_count(const void* array) {
  if (array == nullptr) {
    return 0;
  }
  uint32_t dimensions = 0;
  std::memcpy(&dimensions, array, sizeof dimensions);
  if (dimensions == 0) {
    return 0;
  }
  size_t count = 1;
  const auto* sizes = static_cast<const uint8_t*>(array) + sizeof dimensions;
  for (uint32_t i = 0; i < dimensions; ++i) {
    uint32_t size = 0;
    std::memcpy(&size, sizes + i * sizeof size, sizeof size);
    count *= size;
  }
  return count;
}

}  // namespace rt
