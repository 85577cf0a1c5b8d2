// The leak check at a sanitized program's exit scans every thread's dynamic
// TLS. A block that starts 16 bytes past a page boundary looks to the check's
// default TLS tracking like an old glibc's block behind its header, and the
// allocator's chunk header read as that header sends the scan to a bogus
// address: the check crashes in its tracer after every test passed. The
// sanitizer's test preset turns that tracking off (intercept_tls_get_addr=0);
// the dynamic linker's allocations, TLS blocks among them, stay roots of the
// check.
//
// This program leaves such a block alive at its exit. It passes when the
// check gets through cleanly and reports no leak of the block the slot holds.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using HoldBlock = void* const* (*)();

constexpr std::uintptr_t kPage = 4096;
constexpr std::uintptr_t kPastPageStart = 16;
// The slots' block is a 32-byte request; the sanitizer's allocator hands out
// such requests 48 bytes apart (16 bytes of chunk header each).
constexpr std::size_t kSlotsBytes = 4 * sizeof(void*);
constexpr std::uintptr_t kChunkStride = 48;

HoldBlock g_hold_block = nullptr;
std::atomic<std::uintptr_t> g_slots_at{0};

// Takes same-sized blocks until the next one starts 16 bytes past a page,
// lets the thread's TLS block be that one, then stays alive to the exit.
void* hold_block_at_page_offset(void*) {
  std::vector<void*> taken;
  taken.reserve(1000);  // its own buffer must not take one of those blocks
  for (int i = 0; i < 1000; ++i) {
    taken.push_back(std::malloc(kSlotsBytes));
    if ((reinterpret_cast<std::uintptr_t>(taken.back()) + kChunkStride) % kPage == kPastPageStart) {
      break;
    }
  }
  g_slots_at = reinterpret_cast<std::uintptr_t>(g_hold_block());
  for (void* block : taken) {
    std::free(block);
  }
  taken = std::vector<void*>();
  for (;;) {
    pause();
  }
}

TEST(SanitizerExit, ScansAThreadWhoseTlsBlockStartsJustPastAPage) {
  void* module = dlopen(LYB_DYNAMIC_TLS_MODULE, RTLD_NOW);
  ASSERT_NE(module, nullptr) << dlerror();
  g_hold_block = reinterpret_cast<HoldBlock>(dlsym(module, "hold_block_in_slot"));
  ASSERT_NE(g_hold_block, nullptr) << dlerror();

  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, nullptr, hold_block_at_page_offset, nullptr), 0);
  pthread_detach(thread);
  while (g_slots_at == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (g_slots_at % kPage != kPastPageStart) {
    GTEST_SKIP() << "the allocator did not place the TLS block where the case needs it (at "
                 << std::hex << g_slots_at << ")";
  }
}

}  // namespace
