// The fuzz entries of this folder, one per hostile parser. Each takes any
// bytes, returns 0, and aborts when the parser breaks one of its promises;
// libfuzzer_main.cpp makes one of them a libFuzzer target, and the corpus
// replay test runs them all in the normal builds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz_targets {

int request_target(const uint8_t* data, size_t size);
int url_parts(const uint8_t* data, size_t size);
int reply_cookies(const uint8_t* data, size_t size);
int service_fields(const uint8_t* data, size_t size);
int gbk_search(const uint8_t* data, size_t size);

}  // namespace fuzz_targets
