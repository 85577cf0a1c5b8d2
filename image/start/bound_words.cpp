#include "image/start/bound_words.h"

#include <cassert>
#include <cstring>

#include "image/program_image_layout.h"

namespace program {

namespace {

BoundWords g_bound;

// Bound words are stored in 64-bit fields whatever the target; on a 32-bit
// target the upper half is zero.
uintptr_t word_at(const uint8_t* image, uint32_t offset) {
  uint64_t word;
  std::memcpy(&word, image + offset, sizeof word);  // words need not be aligned
  return static_cast<uintptr_t>(word);
}

template <typename T>
T pointer_at(const uint8_t* image, uint32_t offset) {
  return reinterpret_cast<T>(word_at(image, offset));
}

}  // namespace

BoundWords read_bound_words(const uint8_t* image) {
  BoundWords w;
  w.const_base = pointer_at<const uint8_t*>(image, layout::kConstBaseWord);
  w.window_list = pointer_at<void**>(image, layout::kWindowListWord);
  w.release_globals = pointer_at<abi::RoutineFn>(image, layout::kReleaseGlobalsWord);
  w.enum_windows_callback = word_at(image, layout::kEnumCallbackWord);
  w.start_window_id = static_cast<uint32_t>(word_at(image, layout::kStartWindowIdWord));
  for (uint32_t s = 0; s < abi::kSlotCount; ++s) {
    w.slot_words[s] = pointer_at<const void*>(image, layout::kSlotWords[s]);
  }
  return w;
}

void attach(const BoundWords& words) {
  assert(words.const_base != nullptr && words.window_list != nullptr);
  g_bound = words;
  rt::attach(words.slot_words);
}

const BoundWords& bound() {
  return g_bound;
}

}  // namespace program
