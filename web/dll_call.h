// Calls of the declared Windows functions by their declaration index.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "image/const_table.h"
#include "runtime/program_services.h"

namespace web {

inline uintptr_t word(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

// A 32-bit integer argument as its 32-bit pattern, as a register would hold it.
inline uintptr_t int_word(int32_t value) {
  return static_cast<uint32_t>(value);
}

inline uintptr_t call(program::Dll function, std::initializer_list<uintptr_t> words) {
  return rt::call_dll(static_cast<uint32_t>(function), words);
}

// The function's 32-bit int result.
inline int32_t call_int(program::Dll function, std::initializer_list<uintptr_t> words) {
  return static_cast<int32_t>(static_cast<uint32_t>(call(function, words)));
}

}  // namespace web
