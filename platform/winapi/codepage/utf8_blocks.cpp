#include "platform/winapi/codepage/utf8_blocks.h"

#if defined(LYB_UTF8_KERNELS)
#include "platform/winapi/codepage/processor_features.h"
#include "platform/winapi/codepage/utf8_kernels.h"
#endif

namespace winapi::codepage {

#if defined(LYB_UTF8_KERNELS)
namespace {

struct Kernels {
  size_t (*utf16_length)(const unsigned char*, size_t) = nullptr;
  size_t (*decode)(const unsigned char*, size_t, char16_t*, size_t) = nullptr;
};

Kernels kernels_for_this_processor() {
  const ProcessorFeatures features = read_processor_features();
  if (features.avx2) {
    return {kernels::utf16_length_avx2, kernels::decode_if_well_formed_avx2};
  }
  if (features.sse41) {
    return {kernels::utf16_length_sse41, kernels::decode_if_well_formed_sse41};
  }
  return {};
}

const Kernels& chosen_kernels() {
  static const Kernels chosen = kernels_for_this_processor();
  return chosen;
}

const unsigned char* bytes_of(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

std::optional<size_t> utf16_length_if_well_formed(std::string_view bytes) {
  if (chosen_kernels().utf16_length == nullptr) {
    return std::nullopt;
  }
  const size_t units = chosen_kernels().utf16_length(bytes_of(bytes), bytes.size());
  if (units == kernels::kNotWellFormed) {
    return std::nullopt;
  }
  return units;
}

std::optional<size_t> decode_if_well_formed(std::string_view bytes, std::span<char16_t> target) {
  if (chosen_kernels().decode == nullptr) {
    return std::nullopt;
  }
  const size_t units =
      chosen_kernels().decode(bytes_of(bytes), bytes.size(), target.data(), target.size());
  if (units == kernels::kNotWellFormed) {
    return std::nullopt;
  }
  return units;
}

#else

std::optional<size_t> utf16_length_if_well_formed(std::string_view) {
  return std::nullopt;
}

std::optional<size_t> decode_if_well_formed(std::string_view, std::span<char16_t>) {
  return std::nullopt;
}

#endif

}  // namespace winapi::codepage
