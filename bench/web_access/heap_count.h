// Live heap bytes of the whole process, counted by the benchmark's own
// malloc family, which forwards to the C library's allocator. Resident memory
// would also count what the allocator keeps after a free; live bytes do not.
#pragma once

#include <cstddef>

namespace bench::heap {

size_t live_bytes();

// Starts a new peak at what is live now.
void reset_peak();
size_t peak_bytes();

}  // namespace bench::heap
