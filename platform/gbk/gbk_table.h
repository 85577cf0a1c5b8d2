// ICU's Windows code page 936 table as arrays written at build time (see
// gbk_table_writer.cpp). A 0 entry means ICU does not convert that input
// cleanly on its own, and the text goes through ICU instead.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gbk::table {

inline constexpr char kIcuName[] = "windows-936-2000";

inline constexpr unsigned kFirstLead = 0x81;
inline constexpr unsigned kLastLead = 0xFE;
inline constexpr unsigned kFirstTrail = 0x40;
inline constexpr unsigned kLastTrail = 0xFE;
inline constexpr size_t kLeadCount = kLastLead - kFirstLead + 1;
inline constexpr size_t kTrailCount = kLastTrail - kFirstTrail + 1;

inline constexpr bool is_lead(uint8_t byte) {
  return byte >= kFirstLead && byte <= kLastLead;
}
inline constexpr bool is_trail(uint8_t byte) {
  return byte >= kFirstTrail && byte <= kLastTrail;
}
inline constexpr size_t pair_index(uint8_t lead, uint8_t trail) {
  return (lead - kFirstLead) * kTrailCount + (trail - kFirstTrail);
}

// The unit of each byte 0x80..0xFF that stands alone.
extern const char16_t kSingle[0x80];
// The unit of each lead and trail pair, by pair_index().
extern const char16_t kPairs[kLeadCount * kTrailCount];
// Each UTF-16 unit's bytes: below 0x100 one byte, otherwise lead << 8 | trail.
// ASCII is not looked up.
extern const uint16_t kEncode[0x10000];

}  // namespace gbk::table
