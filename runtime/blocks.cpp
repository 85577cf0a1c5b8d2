#include "runtime/blocks.h"

#include <cstring>
#include <utility>

#include "runtime/abi.h"
#include "runtime/program_services.h"
#include "runtime/shared_routines.h"

namespace rt {
namespace {

size_t byte_set_size(const void* block) {
  if (block == nullptr) {
    return 0;
  }
  abi::BytesHeader header;
  std::memcpy(&header, block, sizeof header);
  return header.length;
}

}  // namespace

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    rt::free(block_);
    block_ = other.release();
  }
  return *this;
}

Text::~Text() {
  rt::free(block_);
}

char* Text::release() {
  return std::exchange(block_, nullptr);
}

Bytes& Bytes::operator=(Bytes&& other) noexcept {
  if (this != &other) {
    rt::free(block_);
    block_ = other.release();
  }
  return *this;
}

Bytes::~Bytes() {
  rt::free(block_);
}

uint8_t* Bytes::data() const {
  return block_ == nullptr ? nullptr : static_cast<uint8_t*>(block_) + abi::kBytesHeaderSize;
}

size_t Bytes::size() const {
  return byte_set_size(block_);
}

void* Bytes::release() {
  return std::exchange(block_, nullptr);
}

const uint8_t* BytesView::data() const {
  return block_ == nullptr ? nullptr : static_cast<const uint8_t*>(block_) + abi::kBytesHeaderSize;
}

size_t BytesView::size() const {
  return byte_set_size(block_);
}

TextArray& TextArray::operator=(TextArray&& other) noexcept {
  if (this != &other) {
    reset();
    block_ = other.release();
  }
  return *this;
}

TextArray::~TextArray() {
  reset();
}

size_t TextArray::size() const {
  return element_count(block_);
}

TextView TextArray::operator[](size_t index) const {
  if (index >= size()) {
    report_runtime_error(abi::error::ArrayIndexOutOfRange);
  }
  const char* piece = nullptr;
  std::memcpy(
      &piece,
      static_cast<const uint8_t*>(block_) + sizeof(abi::ArrayHeader1) + index * sizeof piece,
      sizeof piece);
  return piece;
}

void* TextArray::release() {
  return std::exchange(block_, nullptr);
}

void TextArray::reset() {
  for (size_t i = 0, n = size(); i < n; ++i) {
    rt::free(const_cast<char*>((*this)[i].get()));
  }
  rt::free(std::exchange(block_, nullptr));
}

}  // namespace rt
