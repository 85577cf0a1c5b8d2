#include "tests/winapi/registry_fuzz.h"

#include <cstdlib>
#include <string_view>

#include "platform/winapi/advapi32/registry_file.h"

// Any bytes parse to either a registry or a fault with its line; a fault
// never leaves keys behind.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = winapi::registry::parse_registry(text);
  if (!parsed.ok() && parsed.registry.key_count() != 0) {
    std::abort();
  }
  parsed.registry.has_key("HKEY_CURRENT_USER\\A");
  parsed.registry.find_value("HKEY_CURRENT_USER\\A", "");
  return 0;
}
