// The words of the program's own image that binding has filled in: the const
// data's address, the global variable's address, two routine entries, the
// start window's id and the 13 service-slot words. ProgramEntry reads them
// once from the image; tests attach words of their own.
#pragma once

#include <cstdint>

#include "runtime/abi.h"
#include "runtime/service_slots.h"

namespace program {

struct BoundWords {
  const uint8_t* const_base = nullptr;
  void** window_list = nullptr;  // the variable itself, which holds an array block
  abi::RoutineFn release_globals = nullptr;
  uintptr_t enum_windows_callback = 0;  // entry word handed to EnumWindows
  uint32_t start_window_id = 0;
  rt::SlotWords slot_words{};
};

// Reads the bound words out of a bound image.
BoundWords read_bound_words(const uint8_t* image);

// Attaches the facade to the slot words and makes the rest reachable.
void attach(const BoundWords& words);
const BoundWords& bound();

// The global `WindowList`.
inline void*& window_list() {
  return *bound().window_list;
}

}  // namespace program
