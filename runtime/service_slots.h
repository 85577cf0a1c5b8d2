// The program side's way into the runtime: the thirteen bound slot words.
// Every facade call loads its service through the word of its slot.
#pragma once

#include <array>

#include "runtime/abi.h"

namespace rt {

// words[s] is the address of the runtime's table entry for slot s.
using SlotWords = std::array<const void*, abi::kSlotCount>;

void attach(const SlotWords& words);

// Forgets the slot words; a facade call after this is a programming error.
void detach();

// The slot words of a service table, in slot order (what binding writes).
SlotWords slot_words_of(const abi::ServiceTable& table);

namespace detail {

const void* slot_word(abi::Slot slot);

// A call before attach is a programming error; it stops the process with a
// message in every build type rather than jumping through a null word.
[[noreturn]] void not_attached(abi::Slot slot);

template <typename Fn>
Fn service(abi::Slot slot) {
  const void* word = slot_word(slot);
  if (word == nullptr) {
    not_attached(slot);
  }
  return *static_cast<const Fn*>(word);
}

}  // namespace detail
}  // namespace rt
