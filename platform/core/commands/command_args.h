// Reading a command's argument records and making its result. A record of the
// wrong type, or a missing required one, is the program's fault: it ends the
// process with a message naming the command and the argument.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/abi.h"

namespace core {

class ArgReader {
 public:
  ArgReader(const char* command, std::span<const abi::ArgRecord> args)
      : command_(command), args_(args) {}

  bool given(size_t index) const;
  // Null text pointers read as the empty text.
  std::string_view text(size_t index) const;
  std::string_view text_or(size_t index, std::string_view fallback) const;
  // Integers, bytes and bools all read as a 32-bit integer.
  int32_t integer(size_t index) const;
  int32_t integer_or(size_t index, int32_t fallback) const;
  bool flag_or(size_t index, bool fallback) const;
  // The data of a byte set; null reads as the empty set.
  std::span<const uint8_t> bytes(size_t index) const;
  const abi::ArgRecord& record(size_t index) const;
  size_t count() const { return args_.size(); }
  const char* command() const { return command_; }

  [[noreturn]] void fail(size_t index, std::string_view problem) const;

 private:
  const abi::ArgRecord& required(size_t index, uint32_t tag) const;
  const char* command_;
  std::span<const abi::ArgRecord> args_;
};

bool is_integer_tag(uint32_t tag);
// The data of a byte-set block; fails (with `what` in the message) when the
// header is not {1, length}.
std::span<const uint8_t> byte_set_data(const void* block, std::string_view what);

// A byte set read as a text, which ends at its first zero byte.
std::string_view bytes_as_text(std::span<const uint8_t> bytes);

// A new text block, also for the empty text.
abi::ArgRecord text_result(std::string_view text);
// A new byte-set block, or null for the empty set.
abi::ArgRecord bytes_result(std::span<const uint8_t> data);
abi::ArgRecord int_result(int64_t value);
abi::ArgRecord bool_result(bool value);
abi::ArgRecord float_result(double value);
abi::ArgRecord no_result();

// Allocates a text block of `size` bytes plus the terminator; the caller fills it.
char* new_text_block(size_t size);

}  // namespace core
