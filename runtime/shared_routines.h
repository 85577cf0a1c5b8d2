// Small routines the program carries itself: they work on the blocks directly
// and allocate through the memory service.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "runtime/blocks.h"

namespace rt {

// 0 for null.
size_t text_size(const char* text);
// A new text of the summed length; null pieces count as empty.
Text concat(std::initializer_list<TextView> pieces);
// Byte-wise -1, 0 or 1; null counts as empty.
int compare_texts(const char* a, const char* b);
// A new byte set, or null (the empty set) when the total is 0.
Bytes concat_bytes(std::initializer_list<BytesView> pieces);
// Truncates toward zero; NaN gives 0, values beyond the range saturate.
int64_t float_to_int(double value);
// Product of the dimension sizes; 0 for null or no dimensions.
size_t element_count(const void* array);

}  // namespace rt
