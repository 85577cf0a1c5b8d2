// The runtime's memory service: every text, byte set and array handed to the
// program comes from here and goes back through free_memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace core {

// Never returns null: exhaustion ends the process through the fatal path.
// A zero-size request still gives a valid, unique block.
void* alloc_memory(size_t size);

// Keeps the contents up to the smaller size. A null block allocates; a block
// inside the constant range is copied into a new heap block.
void* resize_memory(void* block, size_t size);

// Ignores null and any pointer inside the registered constant range, so the
// program may free its shared constants.
void free_memory(void* block);

// The image's constant data, which the program shares and never frees; the
// one record of where it lies. (nullptr, 0) clears it.
void set_constant_range(const void* begin, size_t size);
std::span<const uint8_t> constant_range();

// Blocks handed out and not yet freed; tests compare it before and after.
size_t live_blocks();

}  // namespace core
