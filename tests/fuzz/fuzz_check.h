// The one way a fuzz entry reports a broken promise: a message on stderr and
// an abort, which libFuzzer and the corpus replay both see as a failure.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz_targets {

inline void require(bool condition, const char* promise) {
  if (!condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", promise);
    std::abort();
  }
}

}  // namespace fuzz_targets
