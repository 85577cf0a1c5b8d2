// Checks UTF-8 a vector of bytes at a time and counts the UTF-16 units of
// well-formed text. Each byte and the one before it are classified by three
// nibble lookups (the high and low nibble of the earlier byte, the high
// nibble of the later); a pair is a fault when the three classes share a
// bit. One bit instead marks "two continuation bytes", which is a fault
// unless a three- or four-byte lead two or three bytes back asks for it.
// Included only by the files compiled for one instruction set (see
// simd_bytes.h).
#pragma once

#include <cstring>

#include "platform/winapi/codepage/simd_bytes.h"
#include "platform/winapi/codepage/utf8_kernels.h"

namespace {

// What a pair of bytes can break; a bit set in all three lookups is a fault.
constexpr uint8_t kTooShort = 1 << 0;      // a lead without its continuation
constexpr uint8_t kTooLong = 1 << 1;       // a continuation after an ASCII byte
constexpr uint8_t kOverlong3 = 1 << 2;     // E0 80..9F
constexpr uint8_t kTooLarge = 1 << 3;      // F4 90..BF, F5..FF 90..BF
constexpr uint8_t kSurrogate = 1 << 4;     // ED A0..BF
constexpr uint8_t kOverlong2 = 1 << 5;     // C0 and C1 as leads
constexpr uint8_t kTooLarge1000 = 1 << 6;  // F5..FF 80..8F
constexpr uint8_t kOverlong4 = 1 << 6;     // F0 80..8F
constexpr uint8_t kTwoContinuations = 1 << 7;
constexpr uint8_t kCarry = kTooShort | kTooLong | kTwoContinuations;
constexpr uint8_t kLarge = kCarry | kTooLarge | kTooLarge1000;

// By the high nibble of the earlier byte.
constexpr uint8_t kFirstHigh[16] = {
    kTooLong,
    kTooLong,
    kTooLong,
    kTooLong,
    kTooLong,
    kTooLong,
    kTooLong,
    kTooLong,
    kTwoContinuations,
    kTwoContinuations,
    kTwoContinuations,
    kTwoContinuations,
    kTooShort | kOverlong2,                             // C_
    kTooShort,                                          // D_
    kTooShort | kOverlong3 | kSurrogate,                // E_
    kTooShort | kTooLarge | kTooLarge1000 | kOverlong4  // F_
};
// By the low nibble of the earlier byte.
constexpr uint8_t kFirstLow[16] = {kCarry | kOverlong3 | kOverlong2 | kOverlong4,  // _0
                                   kCarry | kOverlong2,                            // _1
                                   kCarry,
                                   kCarry,
                                   kCarry | kTooLarge,  // _4
                                   kLarge,
                                   kLarge,
                                   kLarge,
                                   kLarge,
                                   kLarge,
                                   kLarge,
                                   kLarge,
                                   kLarge,
                                   kLarge | kSurrogate,  // _D
                                   kLarge,
                                   kLarge};
// By the high nibble of the later byte.
constexpr uint8_t kSecondHigh[16] = {
    kTooShort,
    kTooShort,
    kTooShort,
    kTooShort,
    kTooShort,
    kTooShort,
    kTooShort,
    kTooShort,
    kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge1000 | kOverlong4,  // 8_
    kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge,                   // 9_
    kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,                   // A_
    kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,                   // B_
    kTooShort,
    kTooShort,
    kTooShort,
    kTooShort};
// UTF-16 units a byte of well-formed text adds, by its high nibble: a
// continuation none, a four-byte lead a surrogate pair.
constexpr uint8_t kUnits[16] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 2};

template <typename S>
class Utf8Validator {
 public:
  using V = typename S::V;

  [[gnu::always_inline]] void scan(V input) {
    const V first = S::template earlier<1>(input, previous_);
    const V input_high = S::high_nibbles(input);
    const V pair_faults = S::both(S::both(S::lookup(first_high_, S::high_nibbles(first)),
                                          S::lookup(first_low_, S::low_nibbles(first))),
                                  S::lookup(second_high_, input_high));
    // A byte that two bytes back has E0..FF, or three bytes back F0..FF, before it.
    const V third = S::minus_saturated(S::template earlier<2>(input, previous_), 0xE0 - 0x80);
    const V fourth = S::minus_saturated(S::template earlier<3>(input, previous_), 0xF0 - 0x80);
    const V owed = S::both(S::either(third, fourth), S::all(0x80));
    faults_ = S::either(faults_, S::differ(owed, pair_faults));
    units_ = S::add(units_, S::lookup(unit_table_, input_high));
    previous_ = input;
    if (++pending_ == 127) {  // before a byte of the count, at most 2 a step, can wrap
      flush();
    }
  }

  // The last vector, of which the last `padding` bytes are zeros that are
  // no part of the text.
  void scan_padded(V input, size_t padding) {
    scan(input);
    padding_ = padding;
  }

  bool well_formed() const { return !S::any(faults_); }

  // The UTF-16 units of the well-formed text scanned so far, a character
  // cut short at the end counted whole.
  size_t units() {
    flush();
    return total_ - padding_;
  }

 private:
  void flush() {
    total_ += S::sum(units_);
    units_ = S::zero();
    pending_ = 0;
  }

  V first_high_ = S::table(kFirstHigh);
  V first_low_ = S::table(kFirstLow);
  V second_high_ = S::table(kSecondHigh);
  V unit_table_ = S::table(kUnits);
  V previous_ = S::zero();
  V faults_ = S::zero();
  V units_ = S::zero();
  int pending_ = 0;
  size_t total_ = 0;
  size_t padding_ = 0;
};

// Scans the bytes from `from` to `to` of a text `length` long; `from` is
// where the scan before ended, and `to` lies a whole number of vectors on
// from it unless it is the end. The end is padded with zero bytes, which
// also end any sequence the text leaves open, so one cut short is a fault.
template <typename S>
void scan_bytes(Utf8Validator<S>& validator, const unsigned char* text, size_t from, size_t to,
                size_t length) {
  // A copy of its own, which the loop can keep in registers.
  Utf8Validator<S> scanning = validator;
  for (; from + S::kSize <= to; from += S::kSize) {
    scanning.scan(S::load(text + from));
  }
  validator = scanning;
  if (to == length) {
    unsigned char last[S::kSize] = {};
    std::memcpy(last, text + from, length - from);
    validator.scan_padded(S::load(last), S::kSize - (length - from));
  }
}

// The UTF-16 length of well-formed text, or kernels::kNotWellFormed.
template <typename S>
size_t utf16_length(const unsigned char* text, size_t length) {
  Utf8Validator<S> validator;
  scan_bytes(validator, text, 0, length, length);
  return validator.well_formed() ? validator.units() : winapi::codepage::kernels::kNotWellFormed;
}

}  // namespace
