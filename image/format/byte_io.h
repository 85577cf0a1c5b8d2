// Little-endian field access at explicit offsets. Stored records are read and
// written field by field, never by overlaying packed structs, so the layout
// does not depend on the compiler or the host's alignment rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace image {

// a + b, or nullopt when the sum does not fit 32 bits.
inline std::optional<uint32_t> checked_add(uint32_t a, uint64_t b) {
  const uint64_t sum = static_cast<uint64_t>(a) + b;
  if (sum > UINT32_MAX) {
    return std::nullopt;
  }
  return static_cast<uint32_t>(sum);
}

// True when [offset, offset + width) lies inside a buffer of `size` bytes.
inline bool fits(size_t size, uint64_t offset, uint64_t width) {
  return offset <= size && width <= size - offset;
}

// Callers check the range first (fits); these only touch bytes in range.
inline uint32_t read_u32(std::span<const uint8_t> bytes, size_t offset) {
  const uint8_t* p = bytes.data() + offset;
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline uint64_t read_u64(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint64_t>(read_u32(bytes, offset)) |
         static_cast<uint64_t>(read_u32(bytes, offset + 4)) << 32;
}

inline void write_u32(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

inline void write_u64(std::span<uint8_t> bytes, size_t offset, uint64_t value) {
  write_u32(bytes, offset, static_cast<uint32_t>(value));
  write_u32(bytes, offset + 4, static_cast<uint32_t>(value >> 32));
}

// Appending writer for building stored records.
class ByteWriter {
 public:
  size_t size() const { return bytes_.size(); }
  void u32(uint32_t value) {
    const size_t at = bytes_.size();
    bytes_.resize(at + 4);
    write_u32(bytes_, at, value);
  }
  void u64(uint64_t value) {
    u32(static_cast<uint32_t>(value));
    u32(static_cast<uint32_t>(value >> 32));
  }
  void raw(std::span<const uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void text(std::string_view s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
  }
  void zeros(size_t count) { bytes_.resize(bytes_.size() + count, 0); }
  void patch_u32(size_t offset, uint32_t value) { write_u32(bytes_, offset, value); }
  std::vector<uint8_t>& bytes() { return bytes_; }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace image
