#include "platform/core/commands/command_args.h"

#include <bit>
#include <cstring>
#include <limits>
#include <string>

#include "platform/console/hex_text.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"

namespace core {
namespace {}  // namespace

bool is_integer_tag(uint32_t tag) {
  return tag == abi::tag::Int || tag == abi::tag::Byte || tag == abi::tag::Bool;
}

void ArgReader::fail(size_t index, std::string_view problem) const {
  fatal_error(std::string("command ") + command_ + ": argument " + std::to_string(index + 1) + " " +
              std::string(problem));
}

bool ArgReader::given(size_t index) const {
  return index < args_.size() && args_[index].tag != abi::tag::Omitted;
}

const abi::ArgRecord& ArgReader::record(size_t index) const {
  if (!given(index)) {
    fail(index, "is missing");
  }
  return args_[index];
}

const abi::ArgRecord& ArgReader::required(size_t index, uint32_t tag) const {
  const abi::ArgRecord& arg = record(index);
  const bool fits = tag == abi::tag::Int ? is_integer_tag(arg.tag) : arg.tag == tag;
  if (!fits) {
    fail(index, "has tag " + console::hex_text(arg.tag) + ", expected " + console::hex_text(tag));
  }
  return arg;
}

std::string_view ArgReader::text(size_t index) const {
  const auto* text = reinterpret_cast<const char*>(required(index, abi::tag::Text).value);
  return text != nullptr ? std::string_view(text) : std::string_view();
}

std::string_view ArgReader::text_or(size_t index, std::string_view fallback) const {
  return given(index) ? text(index) : fallback;
}

int32_t ArgReader::integer(size_t index) const {
  return static_cast<int32_t>(static_cast<uint32_t>(required(index, abi::tag::Int).value));
}

int32_t ArgReader::integer_or(size_t index, int32_t fallback) const {
  return given(index) ? integer(index) : fallback;
}

bool ArgReader::flag_or(size_t index, bool fallback) const {
  return given(index) ? integer(index) != 0 : fallback;
}

std::span<const uint8_t> ArgReader::bytes(size_t index) const {
  const void* block = reinterpret_cast<const void*>(required(index, abi::tag::Bytes).value);
  return byte_set_data(block, std::string(command_) + " argument " + std::to_string(index + 1));
}

std::span<const uint8_t> byte_set_data(const void* block, std::string_view what) {
  if (block == nullptr) {
    return {};
  }
  abi::BytesHeader header;
  std::memcpy(&header, block, sizeof header);
  if (header.one != 1) {
    fatal_error(std::string(what) + ": not a byte set (first word " + std::to_string(header.one) +
                ", expected 1)");
  }
  return {static_cast<const uint8_t*>(block) + abi::kBytesHeaderSize, header.length};
}

std::string_view bytes_as_text(std::span<const uint8_t> bytes) {
  const std::string_view chars(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return chars.substr(0, chars.find('\0'));
}

char* new_text_block(size_t size) {
  auto* block = static_cast<char*>(alloc_memory(size + 1));
  block[size] = '\0';
  return block;
}

abi::ArgRecord text_result(std::string_view text) {
  char* block = new_text_block(text.size());
  if (!text.empty()) {
    std::memcpy(block, text.data(), text.size());
  }
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::Text};
}

abi::ArgRecord bytes_result(std::span<const uint8_t> data) {
  if (data.empty()) {
    return {0, 0, abi::tag::Bytes};
  }
  if (data.size() > std::numeric_limits<uint32_t>::max()) {
    fatal_error("byte set of " + std::to_string(data.size()) + " bytes is too large");
  }
  auto* block = static_cast<uint8_t*>(alloc_memory(abi::kBytesHeaderSize + data.size()));
  const abi::BytesHeader header{1, static_cast<uint32_t>(data.size())};
  std::memcpy(block, &header, sizeof header);
  std::memcpy(block + abi::kBytesHeaderSize, data.data(), data.size());
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::Bytes};
}

abi::ArgRecord int_result(int64_t value) {
  return {static_cast<uintptr_t>(value), 0, abi::tag::Int};
}

abi::ArgRecord bool_result(bool value) {
  return {value ? 1u : 0u, 0, abi::tag::Bool};
}

abi::ArgRecord float_result(double value) {
  return abi::float_record(value);
}

abi::ArgRecord no_result() {
  return {0, 0, abi::tag::None};
}

}  // namespace core
