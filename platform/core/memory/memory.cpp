#include "platform/core/memory/memory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/core/errors/errors.h"

namespace core {
namespace {

std::atomic<size_t> g_live_blocks{0};
std::atomic<uintptr_t> g_constant_begin{0};
std::atomic<uintptr_t> g_constant_end{0};

bool in_constant_range(const void* block) {
  const auto address = reinterpret_cast<uintptr_t>(block);
  return address >= g_constant_begin.load() && address < g_constant_end.load();
}

// Bytes of the constant data from `block` to its end.
size_t constant_bytes_from(const void* block) {
  return g_constant_end.load() - reinterpret_cast<uintptr_t>(block);
}

[[noreturn]] void out_of_memory(size_t size) {
  fatal_error("out of memory: cannot allocate " + std::to_string(size) + " bytes");
}

// malloc(0) may give null; a one-byte block keeps zero-size blocks unique.
size_t heap_size(size_t size) {
  if (size > static_cast<size_t>(PTRDIFF_MAX)) {
    out_of_memory(size);
  }
  return size == 0 ? 1 : size;
}

}  // namespace

void* alloc_memory(size_t size) {
  void* block = std::malloc(heap_size(size));
  if (block == nullptr) {
    out_of_memory(size);
  }
  ++g_live_blocks;
  return block;
}

void* resize_memory(void* block, size_t size) {
  if (block == nullptr) {
    return alloc_memory(size);
  }
  if (in_constant_range(block)) {
    void* copy = alloc_memory(size);
    std::memcpy(copy, block, std::min(size, constant_bytes_from(block)));
    return copy;
  }
  void* moved = std::realloc(block, heap_size(size));
  if (moved == nullptr) {
    out_of_memory(size);
  }
  return moved;
}

void free_memory(void* block) {
  if (block == nullptr || in_constant_range(block)) {
    return;
  }
  std::free(block);
  --g_live_blocks;
}

void set_constant_range(const void* begin, size_t size) {
  const auto address = reinterpret_cast<uintptr_t>(begin);
  g_constant_begin = begin == nullptr ? 0 : address;
  g_constant_end = begin == nullptr ? 0 : address + size;
}

std::span<const uint8_t> constant_range() {
  const uintptr_t begin = g_constant_begin.load();
  return {reinterpret_cast<const uint8_t*>(begin), g_constant_end.load() - begin};
}

size_t live_blocks() {
  return g_live_blocks.load();
}

}  // namespace core
