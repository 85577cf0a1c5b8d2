// The code-page functions against ICU called directly, on 16 MiB of text:
// each conversion the program makes, with the size query it makes, against
// the least ICU needs for the same result; LCMapStringA against a plain
// per-character table lookup. Each side writes into output memory made once
// outside the timed rounds. Prints throughput ratios (ICU CPU time / ours,
// median of interleaved rounds) and fails when one misses its target.
#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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

// Output memory made once, before the timed rounds, and written through
// once so its pages are mapped: each round times the conversions alone.
struct Outputs {
  explicit Outputs(size_t units, size_t bytes) : utf16(units, u'\0'), gbk(bytes, '\0') {}
  std::u16string utf16;
  std::string gbk;
};

// The program's calls: a size query, then the conversion into memory of
// that size. Gives the units written.
size_t ours_to_utf16(UINT code_page, const std::string& text, std::u16string& out) {
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (n <= 0 || static_cast<size_t>(n) > out.size()) {
    return 0;
  }
  return static_cast<size_t>(MultiByteToWideChar(code_page, 0, text.data(), length, out.data(), n));
}

// As the program does it, offering twice the queried size. Gives the bytes written.
size_t ours_to_gbk(std::u16string_view units, std::string& out) {
  const int length = static_cast<int>(units.size());
  const int n = WideCharToMultiByte(936, 0, units.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0 || 2 * static_cast<size_t>(n) > out.size()) {
    return 0;
  }
  return static_cast<size_t>(
      WideCharToMultiByte(936, 0, units.data(), length, out.data(), 2 * n, nullptr, nullptr));
}

// ICU's preflight, then the conversion.
size_t icu_to_utf16(UConverter* gbk, const std::string& text, std::u16string& out) {
  UErrorCode status = U_ZERO_ERROR;
  const auto length = static_cast<int32_t>(text.size());
  const int32_t n = ucnv_toUChars(gbk, nullptr, 0, text.data(), length, &status);
  if (n <= 0 || static_cast<size_t>(n) > out.size()) {
    return 0;
  }
  status = U_ZERO_ERROR;
  return static_cast<size_t>(
      ucnv_toUChars(gbk, reinterpret_cast<UChar*>(out.data()), n, text.data(), length, &status));
}

size_t icu_to_gbk(UConverter* gbk, std::u16string_view units, std::string& out) {
  UErrorCode status = U_ZERO_ERROR;
  const auto* source = reinterpret_cast<const UChar*>(units.data());
  const auto length = static_cast<int32_t>(units.size());
  const int32_t n = ucnv_fromUChars(gbk, nullptr, 0, source, length, &status);
  if (n <= 0 || static_cast<size_t>(n) > out.size()) {
    return 0;
  }
  status = U_ZERO_ERROR;
  return static_cast<size_t>(ucnv_fromUChars(gbk, out.data(), n, source, length, &status));
}

// One pass, into memory that holds the result: GBK never takes more bytes
// than UTF-8 for the same text.
size_t icu_utf8_to_gbk(const std::string& utf8, std::string& out) {
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_convert("windows-936-2000", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                   utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  return U_SUCCESS(status) ? static_cast<size_t>(n) : 0;
}

size_t ours_utf8_to_gbk(const std::string& utf8, Outputs& out) {
  const size_t units = ours_to_utf16(CP_UTF8, utf8, out.utf16);
  return ours_to_gbk({out.utf16.data(), units}, out.gbk);
}

size_t ours_simplify(const std::string& gbk, std::string& out) {
  const int n = static_cast<int>(gbk.size());
  return static_cast<size_t>(
      LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, gbk.data(), n, out.data(), n));
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
  // `out` holds at least as many bytes as `gbk`.
  size_t map(const std::string& gbk, std::string& out) const {
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
    return gbk.size();
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
  const std::u16string utf16 = reference::decode("windows-936-2000", gbk).units;
  const std::string utf8 = reference::encode("UTF-8", utf16);
  const PairTable table(characters);
  const std::string traditional = bench::gbk_text(table.mapped_to_pairs(), kTextBytes);

  // Each side's output memory: room for the UTF-16 text, and for twice the
  // GBK text, which the program offers for an encoding.
  Outputs ours(utf16.size(), 2 * kTextBytes);
  Outputs icu(utf16.size(), 2 * kTextBytes);

  // Same results first; a fast wrong answer measures nothing.
  bool ok = true;
  const auto same = [&](bool equal, const char* what) {
    if (!equal) {
      std::printf("%s: the results differ\n", what);
      ok = false;
    }
  };
  const auto utf16_of = [](const Outputs& o, size_t n) { return o.utf16.substr(0, n); };
  const auto gbk_of = [](const Outputs& o, size_t n) { return o.gbk.substr(0, n); };
  same(utf16_of(ours, ours_to_utf16(936, gbk, ours.utf16)) == utf16, "GBK -> UTF-16");
  same(gbk_of(ours, ours_to_gbk(utf16, ours.gbk)) ==
           gbk_of(icu, icu_to_gbk(gbk_converter.get(), utf16, icu.gbk)),
       "UTF-16 -> GBK");
  same(gbk_of(ours, ours_utf8_to_gbk(utf8, ours)) == gbk_of(icu, icu_utf8_to_gbk(utf8, icu.gbk)),
       "UTF-8 -> GBK");
  same(gbk_of(ours, ours_simplify(traditional, ours.gbk)) ==
           gbk_of(icu, table.map(traditional, icu.gbk)),
       "LCMapStringA");

  const double mib = static_cast<double>(kTextBytes) / (1 << 20);
  std::printf(
      "16 MiB of GBK text, %zu UTF-16 units, %zu UTF-8 bytes; %d interleaved rounds, medians.\n"
      "Both sides write into output memory made and touched once before the rounds:\n"
      "each round times the conversions, size queries included, not the allocation.\n",
      utf16.size(), utf8.size(), kRounds);
  UConverter* const gbk_icu = gbk_converter.get();
  const Case cases[] = {
      {"GBK -> UTF-16 (size query + convert)", [&] { return ours_to_utf16(936, gbk, ours.utf16); },
       [&] { return icu_to_utf16(gbk_icu, gbk, icu.utf16); }, kMinConversionRatio},
      {"UTF-16 -> GBK (size query + convert)", [&] { return ours_to_gbk(utf16, ours.gbk); },
       [&] { return icu_to_gbk(gbk_icu, utf16, icu.gbk); }, kMinConversionRatio},
      {"UTF-8 -> GBK (65001, then 936)", [&] { return ours_utf8_to_gbk(utf8, ours); },
       [&] { return icu_utf8_to_gbk(utf8, icu.gbk); }, kMinConversionRatio},
      {"LCMapStringA traditional -> simplified",
       [&] { return ours_simplify(traditional, ours.gbk); },
       [&] { return table.map(traditional, icu.gbk); }, kMinMappingRatio},
  };
  for (const Case& c : cases) {
    ok &= run(c, mib);
  }
  return ok ? 0 : 1;
}
