// Built with AVX2: the check takes thirty-two bytes a step, and the decoder's
// sixteen-byte steps gain the three-operand instruction forms.
#include "platform/winapi/codepage/utf8_decode_kernel.h"
#include "platform/winapi/codepage/utf8_kernels.h"

namespace winapi::codepage::kernels {

size_t utf16_length_avx2(const unsigned char* text, size_t length) {
  return utf16_length<Bytes32>(text, length);
}

size_t decode_if_well_formed_avx2(const unsigned char* text, size_t length, char16_t* out,
                                  size_t capacity) {
  return decode_if_well_formed<Bytes32>(text, length, out, capacity);
}

}  // namespace winapi::codepage::kernels
