#include "bench/web_access/heap_count.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>

// The C library's allocator under its internal names.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace bench::heap {
namespace {

std::atomic<size_t> live{0};
std::atomic<size_t> peak{0};

void* counted(void* block) {
  if (block != nullptr) {
    const size_t size = malloc_usable_size(block);
    const size_t now = live.fetch_add(size) + size;
    size_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
  }
  return block;
}

void uncounted(void* block) {
  if (block != nullptr) {
    live.fetch_sub(malloc_usable_size(block));
  }
}

}  // namespace

size_t live_bytes() {
  return live.load();
}

void reset_peak() {
  peak.store(live.load());
}

size_t peak_bytes() {
  return peak.load();
}

}  // namespace bench::heap

using bench::heap::counted;
using bench::heap::uncounted;

extern "C" {

void* malloc(size_t size) {
  return counted(__libc_malloc(size));
}

void* calloc(size_t count, size_t size) {
  return counted(__libc_calloc(count, size));
}

void* realloc(void* block, size_t size) {
  uncounted(block);
  void* moved = __libc_realloc(block, size);
  if (moved == nullptr && block != nullptr && size != 0) {
    return counted(block);  // the old block stays
  }
  return counted(moved);
}

void free(void* block) {
  uncounted(block);
  __libc_free(block);
}

void* memalign(size_t alignment, size_t size) {
  return counted(__libc_memalign(alignment, size));
}

void* aligned_alloc(size_t alignment, size_t size) {
  return memalign(alignment, size);
}

int posix_memalign(void** block, size_t alignment, size_t size) {
  void* made = memalign(alignment, size);
  if (made == nullptr) {
    return ENOMEM;
  }
  *block = made;
  return 0;
}

}  // extern "C"
