// Turns a function with Windows' argument list into an export that the runtime
// can call with an array of argument words. The word count is the function's
// own parameter count, which the runtime checks against what a caller passes.
#pragma once

#include <bit>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "platform/winapi/base/dll_export_table.h"

namespace winapi {

template <typename T>
T from_word(uintptr_t word) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<T>(word);
  } else {
    static_assert(std::is_integral_v<T> || std::is_enum_v<T>,
                  "argument words are integers or pointers");
    return static_cast<T>(word);
  }
}

template <typename T>
uintptr_t to_word(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<uintptr_t>(value);
  } else if constexpr (std::is_signed_v<T>) {
    // A signed 32-bit result travels as its 32-bit pattern, as in a register.
    return static_cast<uintptr_t>(static_cast<std::make_unsigned_t<T>>(value));
  } else {
    return static_cast<uintptr_t>(value);
  }
}

template <auto F>
struct Thunk;

template <typename R, typename... A, R (*F)(A...)>
struct Thunk<F> {
  static constexpr uint32_t words = sizeof...(A);

  static uintptr_t call(const uintptr_t* w) {
    return call_with(w, std::index_sequence_for<A...>{});
  }

 private:
  template <size_t... I>
  static uintptr_t call_with([[maybe_unused]] const uintptr_t* w, std::index_sequence<I...>) {
    if constexpr (std::is_void_v<R>) {
      F(from_word<A>(w[I])...);
      return 0;
    } else {
      return to_word(F(from_word<A>(w[I])...));
    }
  }
};

}  // namespace winapi

// One export table row for a function with Windows' name and argument list.
#define WINAPI_EXPORT(fn)                                               \
  ::winapi::DllExport {                                                 \
#fn, ::winapi::Thunk < &fn> ::words, &::winapi::Thunk < &fn> ::call \
  }
