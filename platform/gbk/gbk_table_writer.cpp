// Build-time tool: writes ICU's Windows code page 936 table as plain arrays,
// so the codec converts valid GBK without opening an ICU converter (which
// maps and walks hundreds of KiB of ICU data) when the program starts.
// Everything ICU does not convert cleanly is left out; the codec hands those
// texts to ICU whole, so the results stay ICU's byte for byte.
#include <unicode/ucnv.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/gbk/gbk_table.h"

namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// A converter that fails where it would substitute, so only clean
// conversions enter the table.
Converter strict_gbk() {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(gbk::table::kIcuName, &status));
  if (U_FAILURE(status)) {
    return nullptr;
  }
  ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return U_SUCCESS(status) ? std::move(c) : nullptr;
}

// The one unit `bytes` decode to, or 0.
char16_t decoded(UConverter* c, const char* bytes, int32_t length) {
  UChar units[4];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_reset(c);
  const int32_t n = ucnv_toUChars(c, units, 4, bytes, length, &status);
  return U_SUCCESS(status) && n == 1 ? units[0] : 0;
}

// A unit's bytes as the encode table holds them (one byte, or lead << 8 |
// trail), or 0.
uint16_t encoded(UConverter* c, char16_t unit) {
  const UChar source[] = {unit};
  unsigned char bytes[8];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_reset(c);
  const int32_t n =
      ucnv_fromUChars(c, reinterpret_cast<char*>(bytes), sizeof bytes, source, 1, &status);
  if (U_FAILURE(status)) {
    return 0;
  }
  if (n == 1) {
    return bytes[0];
  }
  return n == 2 ? static_cast<uint16_t>(bytes[0] << 8 | bytes[1]) : 0;
}

void write_array(std::ofstream& out, const char* type, const char* name,
                 const std::vector<uint16_t>& values) {
  out << "extern const " << type << " " << name << "[" << values.size() << "] = {";
  for (size_t i = 0; i < values.size(); ++i) {
    out << (i % 16 == 0 ? "\n   " : "") << ' ' << values[i] << ',';
  }
  out << "\n};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace gbk::table;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
    return 2;
  }
  const Converter c = strict_gbk();
  if (!c) {
    std::fprintf(stderr, "ICU has no converter %s\n", kIcuName);
    return 1;
  }
  // The codec passes ASCII through without a look-up.
  for (unsigned byte = 0; byte < 0x80; ++byte) {
    const char code[] = {static_cast<char>(byte)};
    if (decoded(c.get(), code, 1) != byte ||
        encoded(c.get(), static_cast<char16_t>(byte)) != byte) {
      std::fprintf(stderr, "%s does not keep ASCII byte 0x%02x\n", kIcuName, byte);
      return 1;
    }
  }
  std::vector<uint16_t> single(0x80);
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    const char code[] = {static_cast<char>(byte)};
    single[byte - 0x80] = decoded(c.get(), code, 1);
  }
  std::vector<uint16_t> pairs(kLeadCount * kTrailCount);
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    if (single[lead - 0x80] != 0) {
      continue;  // a character of its own never leads a pair
    }
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      const char code[] = {static_cast<char>(lead), static_cast<char>(trail)};
      pairs[pair_index(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail))] =
          decoded(c.get(), code, 2);
    }
  }
  std::vector<uint16_t> encode(0x10000);
  for (unsigned unit = 0x80; unit < 0x10000; ++unit) {
    if (unit < 0xD800 || unit > 0xDFFF) {
      encode[unit] = encoded(c.get(), static_cast<char16_t>(unit));
    }
  }
  std::ofstream out(argv[1]);
  out << "// Written by gbk_table_writer from ICU's " << kIcuName << " table.\n"
      << "#include \"platform/gbk/gbk_table.h\"\n\nnamespace gbk::table {\n\n";
  write_array(out, "char16_t", "kSingle", single);
  write_array(out, "char16_t", "kPairs", pairs);
  write_array(out, "uint16_t", "kEncode", encode);
  out << "}  // namespace gbk::table\n";
  return out ? 0 : 1;
}
