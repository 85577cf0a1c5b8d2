// The benchmark's texts: 16 MiB of GBK, and the same text as UTF-16 and UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// Every two-byte character of GBK, in code order.
std::vector<std::string> gbk_characters();

// Chinese text with some ASCII between the characters, `bytes` long, taking
// its characters from `characters` in turn.
std::string gbk_text(const std::vector<std::string>& characters, size_t bytes);

}  // namespace bench
