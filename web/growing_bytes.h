// A byte set built by appending, in amortised linear time: the block grows
// by doubling its capacity and is handed out trimmed to its length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/blocks.h"

namespace web {

class GrowingBytes {
 public:
  // A byte set's length is a 32-bit word; `limit` is the most it may hold.
  explicit GrowingBytes(size_t limit = UINT32_MAX) : limit_(limit) {}
  GrowingBytes(const GrowingBytes&) = delete;
  GrowingBytes& operator=(const GrowingBytes&) = delete;
  ~GrowingBytes();

  // False, and nothing appended, when the total would pass the limit.
  [[nodiscard]] bool append(std::span<const uint8_t> bytes);
  size_t size() const { return size_; }
  // The bytes as a new byte set (the empty set when nothing was appended);
  // the builder is empty afterwards.
  rt::Bytes finish();

 private:
  void* block_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  size_t limit_;
};

}  // namespace web
