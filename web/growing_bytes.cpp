#include "web/growing_bytes.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "runtime/abi.h"
#include "runtime/program_services.h"

namespace web {
namespace {

constexpr size_t kFirstCapacity = 4096;

}  // namespace

GrowingBytes::~GrowingBytes() {
  rt::free(block_);
}

bool GrowingBytes::append(std::span<const uint8_t> bytes) {
  if (bytes.size() > limit_ - size_) {
    return false;
  }
  const size_t needed = size_ + bytes.size();
  if (needed > capacity_) {
    size_t capacity = std::max(kFirstCapacity, capacity_);
    while (capacity < needed) {
      capacity *= 2;
    }
    block_ = rt::resize(block_, abi::kBytesHeaderSize + capacity);
    capacity_ = capacity;
  }
  if (!bytes.empty()) {
    std::memcpy(static_cast<uint8_t*>(block_) + abi::kBytesHeaderSize + size_, bytes.data(),
                bytes.size());
  }
  size_ = needed;
  return true;
}

rt::Bytes GrowingBytes::finish() {
  if (size_ == 0) {
    rt::free(std::exchange(block_, nullptr));
    capacity_ = 0;
    return {};
  }
  void* block = rt::resize(std::exchange(block_, nullptr), abi::kBytesHeaderSize + size_);
  const abi::BytesHeader header{1, static_cast<uint32_t>(size_)};
  std::memcpy(block, &header, sizeof header);
  size_ = 0;
  capacity_ = 0;
  return rt::Bytes::adopt(block);
}

}  // namespace web
