#include "platform/core/window/blocks.h"

#include <cstring>

#include "platform/core/memory/memory.h"
#include "platform/gbk/gbk_text.h"

namespace core::window {

abi::ArgRecord text_block(std::string_view gbk_text) {
  auto* block = static_cast<char*>(alloc_memory(gbk_text.size() + 1));
  std::memcpy(block, gbk_text.data(), gbk_text.size());
  block[gbk_text.size()] = '\0';
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::Text};
}

abi::ArgRecord text_block(const QString& text) {
  return text_block(gbk::from_qstring(text));
}

abi::ArgRecord bytes_block(const form::Bytes& bytes) {
  auto* block = static_cast<uint8_t*>(alloc_memory(abi::kBytesHeaderSize + bytes.size()));
  const abi::BytesHeader header{1, static_cast<uint32_t>(bytes.size())};
  std::memcpy(block, &header, sizeof header);
  if (!bytes.empty()) {
    std::memcpy(block + abi::kBytesHeaderSize, bytes.data(), bytes.size());
  }
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::Bytes};
}

std::string_view text_at(uint64_t value) {
  const auto* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(value));
  return text ? std::string_view(text) : std::string_view();
}

form::Bytes bytes_at(uint64_t value) {
  const auto* block = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(value));
  if (!block) {
    return {};
  }
  abi::BytesHeader header;
  std::memcpy(&header, block, sizeof header);
  const uint8_t* data = block + abi::kBytesHeaderSize;
  return form::Bytes(data, data + header.length);
}

}  // namespace core::window
