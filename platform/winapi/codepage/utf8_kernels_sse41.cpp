// Built with SSE4.1.
#include "platform/winapi/codepage/utf8_decode_kernel.h"
#include "platform/winapi/codepage/utf8_kernels.h"

namespace winapi::codepage::kernels {

size_t utf16_length_sse41(const unsigned char* text, size_t length) {
  return utf16_length<Bytes16>(text, length);
}

size_t decode_if_well_formed_sse41(const unsigned char* text, size_t length, char16_t* out,
                                   size_t capacity) {
  return decode_if_well_formed<Bytes16>(text, length, out, capacity);
}

}  // namespace winapi::codepage::kernels
