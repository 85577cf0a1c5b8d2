// The code-page functions against ICU called directly, on 16 MiB of text:
// each conversion the program makes, with the size query it makes, against
// the least ICU needs for the same result; LCMapStringA against a plain
// per-character table lookup. Prints throughput ratios (ICU CPU time / ours,
// median of interleaved rounds) and fails when one misses its target.
#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/codepage/corpus.h"
#include "platform/winapi/codepage/codepage.h"
#include "tests/codepage/icu_reference.h"

namespace {

constexpr size_t kTextBytes = 16u << 20;
constexpr int kRounds = 5;
constexpr double kMinConversionRatio = 0.7;
constexpr double kMinMappingRatio = 0.5;

struct Closer {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, Closer>;

Converter open(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  return Converter(ucnv_open(name, &status));
}

// The program's calls: a size query, memory of that size, the conversion.
std::u16string ours_to_utf16(UINT code_page, const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  std::u16string units(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(code_page, 0, text.data(), length, units.data(), n);
  return units;
}

// As the program does it, with twice the queried size as the buffer.
std::string ours_to_gbk(const std::u16string& units) {
  const int length = static_cast<int>(units.size());
  const int n = WideCharToMultiByte(936, 0, units.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(2 * static_cast<size_t>(n), '\0');
  const int written = WideCharToMultiByte(936, 0, units.data(), length, bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}

std::u16string icu_to_utf16(UConverter* gbk, const std::string& text) {
  UErrorCode status = U_ZERO_ERROR;
  const auto length = static_cast<int32_t>(text.size());
  const int32_t n = ucnv_toUChars(gbk, nullptr, 0, text.data(), length, &status);
  std::u16string units(static_cast<size_t>(n), u'\0');
  status = U_ZERO_ERROR;
  ucnv_toUChars(gbk, reinterpret_cast<UChar*>(units.data()), n, text.data(), length, &status);
  return units;
}

std::string icu_to_gbk(UConverter* gbk, const std::u16string& units) {
  UErrorCode status = U_ZERO_ERROR;
  const auto* source = reinterpret_cast<const UChar*>(units.data());
  const auto length = static_cast<int32_t>(units.size());
  const int32_t n = ucnv_fromUChars(gbk, nullptr, 0, source, length, &status);
  std::string bytes(static_cast<size_t>(n), '\0');
  status = U_ZERO_ERROR;
  ucnv_fromUChars(gbk, bytes.data(), n, source, length, &status);
  return bytes;
}

// GBK never takes more bytes than UTF-8 for the same text.
std::string icu_utf8_to_gbk(const std::string& utf8) {
  std::string bytes(utf8.size(), '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_convert("windows-936-2000", "UTF-8", bytes.data(), static_cast<int32_t>(bytes.size()),
                   utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  bytes.resize(static_cast<size_t>(n));
  return bytes;
}

std::string ours_simplify(const std::string& gbk) {
  const int n = static_cast<int>(gbk.size());
  std::string out(gbk.size(), '\0');
  LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, gbk.data(), n, out.data(), n);
  return out;
}

// The floor of a mapping: one table read per two-byte character.
class PairTable {
 public:
  explicit PairTable(const std::vector<std::string>& characters) : pairs_(1 << 16) {
    for (const std::string& code : characters) {
      const auto units = reference::decode("windows-936-2000", code).units;
      const std::string mapped = reference::encode(
          "windows-936-2000", reference::transliterate_each("Traditional-Simplified", units));
      const auto lead = static_cast<unsigned char>(code[0]);
      const auto trail = static_cast<unsigned char>(code[1]);
      if (mapped.size() == 2) {
        pairs_[lead << 8 | trail] = static_cast<uint16_t>(
            static_cast<unsigned char>(mapped[0]) << 8 | static_cast<unsigned char>(mapped[1]));
        mapped_to_pairs_.push_back(code);
      }
    }
  }
  // The characters whose mapping is a two-byte character too, which the
  // table's fixed-width loop covers.
  const std::vector<std::string>& mapped_to_pairs() const { return mapped_to_pairs_; }
  std::string map(const std::string& gbk) const {
    std::string out(gbk.size(), '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(gbk.data());
    for (size_t i = 0; i < gbk.size();) {
      if (in[i] < 0x80) {
        out[i] = static_cast<char>(in[i]);
        ++i;
        continue;
      }
      const uint16_t pair = pairs_[in[i] << 8 | in[i + 1]];
      out[i] = static_cast<char>(pair >> 8);
      out[i + 1] = static_cast<char>(pair & 0xFF);
      i += 2;
    }
    return out;
  }

 private:
  std::vector<uint16_t> pairs_;
  std::vector<std::string> mapped_to_pairs_;
};

// CPU time of the process, user and system: on a shared machine that is
// steadier than the clock on the wall.
double cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double seconds(const std::function<size_t()>& work, size_t& sink) {
  const double start = cpu_seconds();
  sink += work();
  return cpu_seconds() - start;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Case {
  const char* name;
  std::function<size_t()> ours;
  std::function<size_t()> floor;
  double min_ratio;
};

// Median times of interleaved rounds; the ratio is floor time / our time.
bool run(const Case& c, double mib) {
  std::vector<double> ours;
  std::vector<double> floor;
  size_t sink = 0;
  for (int round = 0; round < kRounds; ++round) {
    ours.push_back(seconds(c.ours, sink));
    floor.push_back(seconds(c.floor, sink));
  }
  const double ratio = median(floor) / median(ours);
  const bool met = ratio >= c.min_ratio;
  std::printf("%-38s ours %7.1f MiB/s  floor %7.1f MiB/s  ratio %6.3f  target >= %.1f  %s\n",
              c.name, mib / median(ours), mib / median(floor), ratio, c.min_ratio,
              met ? "met" : "MISSED");
  return met && sink > 0;
}

}  // namespace

int main() {
  const std::vector<std::string> characters = bench::gbk_characters();
  const std::string gbk = bench::gbk_text(characters, kTextBytes);
  const Converter gbk_converter = open("windows-936-2000");
  const std::u16string utf16 = icu_to_utf16(gbk_converter.get(), gbk);
  const std::string utf8 = reference::encode("UTF-8", utf16);
  const PairTable table(characters);
  const std::string traditional = bench::gbk_text(table.mapped_to_pairs(), kTextBytes);

  // Same results first; a fast wrong answer measures nothing.
  bool ok = true;
  const auto same = [&](bool equal, const char* what) {
    if (!equal) {
      std::printf("%s: the results differ\n", what);
      ok = false;
    }
  };
  same(ours_to_utf16(936, gbk) == utf16, "GBK -> UTF-16");
  same(ours_to_gbk(utf16) == icu_to_gbk(gbk_converter.get(), utf16), "UTF-16 -> GBK");
  same(ours_to_gbk(ours_to_utf16(CP_UTF8, utf8)) == icu_utf8_to_gbk(utf8), "UTF-8 -> GBK");
  same(ours_simplify(traditional) == table.map(traditional), "LCMapStringA");

  const double mib = static_cast<double>(kTextBytes) / (1 << 20);
  std::printf("16 MiB of GBK text, %zu UTF-16 units, %zu UTF-8 bytes; %d rounds\n", utf16.size(),
              utf8.size(), kRounds);
  const Case cases[] = {
      {"GBK -> UTF-16 (size query + convert)", [&] { return ours_to_utf16(936, gbk).size(); },
       [&] { return icu_to_utf16(gbk_converter.get(), gbk).size(); }, kMinConversionRatio},
      {"UTF-16 -> GBK (size query + convert)", [&] { return ours_to_gbk(utf16).size(); },
       [&] { return icu_to_gbk(gbk_converter.get(), utf16).size(); }, kMinConversionRatio},
      {"UTF-8 -> GBK (65001, then 936)",
       [&] { return ours_to_gbk(ours_to_utf16(CP_UTF8, utf8)).size(); },
       [&] { return icu_utf8_to_gbk(utf8).size(); }, kMinConversionRatio},
      {"LCMapStringA traditional -> simplified", [&] { return ours_simplify(traditional).size(); },
       [&] { return table.map(traditional).size(); }, kMinMappingRatio},
  };
  for (const Case& c : cases) {
    ok &= run(c, mib);
  }
  return ok ? 0 : 1;
}
