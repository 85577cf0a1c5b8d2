// Byte sets: measuring, cutting, making, and converting to and from texts.
#include <cstring>

#include "platform/core/commands/builtin_commands.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/memory/memory.h"

namespace core {
namespace {

using Args = std::span<const abi::ArgRecord>;

// The type number of a text in BytesToValue.
constexpr int32_t kTextType = 10;

std::span<const uint8_t> bytes_of(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

abi::ArgRecord bytes_length(Args args) {
  return int_result(static_cast<int64_t>(ArgReader("BytesLength", args).bytes(0).size()));
}

abi::ArgRecord text_to_bytes(Args args) {
  return bytes_result(bytes_of(ArgReader("TextToBytes", args).text(0)));
}

// Only the text type is known; any other type number gives a value tagged
// None, which the caller reports as "value not a text".
abi::ArgRecord bytes_to_value(Args args) {
  const ArgReader in("BytesToValue", args);
  const auto bytes = in.bytes(0);
  if (in.integer(1) != kTextType) {
    return no_result();
  }
  return text_result(bytes_as_text(bytes));
}

abi::ArgRecord left_bytes(Args args) {
  const ArgReader in("LeftBytes", args);
  const auto bytes = in.bytes(0);
  const int32_t count = in.integer(1);
  return bytes_result(bytes.first(count <= 0 ? 0 : std::min<size_t>(count, bytes.size())));
}

// Negative counts give the empty set, like 0.
abi::ArgRecord zero_bytes(Args args) {
  const int32_t count = ArgReader("ZeroBytes", args).integer(0);
  if (count <= 0) {
    return bytes_result({});
  }
  const size_t size = abi::kBytesHeaderSize + static_cast<size_t>(count);
  auto* block = static_cast<uint8_t*>(alloc_memory(size));
  std::memset(block, 0, size);
  const abi::BytesHeader header{1, static_cast<uint32_t>(count)};
  std::memcpy(block, &header, sizeof header);
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::Bytes};
}

constexpr CommandEntry kEntries[] = {
    {abi::cmd::BytesLength, bytes_length},    {abi::cmd::TextToBytes, text_to_bytes},
    {abi::cmd::BytesToValue, bytes_to_value}, {abi::cmd::LeftBytes, left_bytes},
    {abi::cmd::ZeroBytes, zero_bytes},
};

}  // namespace

std::span<const CommandEntry> bytes_commands() {
  return kEntries;
}

}  // namespace core
