// Turning facade arguments into argument records and back. Used by the
// facade's own sources only. Texts go out as "" rather than null, as the
// program has always passed them.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

#include "runtime/abi.h"
#include "runtime/blocks.h"

namespace rt::marshal {

inline abi::ArgRecord text(TextView value) {
  return {reinterpret_cast<uintptr_t>(value.c_str()), 0, abi::tag::Text};
}
inline abi::ArgRecord integer(int32_t value) {
  return {static_cast<uint32_t>(value), 0, abi::tag::Int};
}
inline abi::ArgRecord flag(bool value) {
  return {value ? 1u : 0u, 0, abi::tag::Bool};
}
inline abi::ArgRecord bytes(BytesView value) {
  return {reinterpret_cast<uintptr_t>(value.block()), 0, abi::tag::Bytes};
}
inline constexpr abi::ArgRecord kOmitted{0, 0, abi::tag::Omitted};

abi::ArgRecord core(uint32_t command, std::initializer_list<abi::ArgRecord> args);
abi::ArgRecord library(uint32_t library, uint32_t command,
                       std::initializer_list<abi::ArgRecord> args);

inline int32_t integer_of(const abi::ArgRecord& result) {
  return static_cast<int32_t>(static_cast<uint32_t>(result.value));
}
inline Text text_of(const abi::ArgRecord& result) {
  return Text::adopt(reinterpret_cast<char*>(result.value));
}
inline Bytes bytes_of(const abi::ArgRecord& result) {
  return Bytes::adopt(reinterpret_cast<void*>(result.value));
}

}  // namespace rt::marshal
