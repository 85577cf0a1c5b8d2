// Thread-local slots in a module loaded at run time: each thread's block of
// them is allocated on the heap the first time the thread touches them.
#include <cstdlib>

namespace {
thread_local void* slots[4];
}  // namespace

// Puts a heap block in the calling thread's first slot, reachable only from
// there, and returns where the thread's slots are.
extern "C" __attribute__((visibility("default"))) void* const* hold_block_in_slot() {
  slots[0] = std::malloc(64);
  return slots;
}
