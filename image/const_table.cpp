#include "image/const_table.h"

#include <bit>
#include <map>
#include <string>

#include "image/format/byte_io.h"
#include "image/gbk_encode.h"
#include "image/service_addresses.h"

namespace program {

namespace {

#define SERVICE_URL(path) LANYINBAO_SERVICE_URL_PREFIX path
constexpr std::array<std::string_view, static_cast<size_t>(Const::FirstNonText)> kTextSources = {
#define X(name, text) std::string_view(text),
#include "image/const_texts.def"
#undef X
};
#undef SERVICE_URL

void byte_set(image::ByteWriter& w, std::span<const uint8_t> bytes) {
  w.u32(1);
  w.u32(static_cast<uint32_t>(bytes.size()));
  w.raw(bytes);
}

}  // namespace

std::string_view const_source(Const c) {
  return kTextSources.at(static_cast<size_t>(c));
}

ConstLayout lay_out_constants() {
  ConstLayout out;
  image::ByteWriter w;
  for (size_t i = 0; i < kTextSources.size(); ++i) {
    out.offsets[i] = static_cast<uint32_t>(w.size());
    w.text(to_gbk(kTextSources[i]));
  }
  for (size_t i = 0; i < std::size(kRoutineNames); ++i) {
    out.routine_names[i] = static_cast<uint32_t>(w.size());
    w.text(kRoutineNames[i]);
  }
  // Declaration names, each stored once; the empty library name is the empty text.
  std::map<std::string_view, uint32_t> names{{"", out.offsets[static_cast<size_t>(Const::Empty)]}};
  const auto name_offset = [&](std::string_view name) {
    const auto [it, added] = names.emplace(name, static_cast<uint32_t>(w.size()));
    if (added) {
      w.text(name);
    }
    return it->second;
  };
  for (size_t i = 0; i < kDeclarations.size(); ++i) {
    out.declarations[i] = {name_offset(kDeclarations[i].library),
                           name_offset(kDeclarations[i].function)};
  }
  const auto at = [&](Const c) {
    out.offsets[static_cast<size_t>(c)] = static_cast<uint32_t>(w.size());
  };
  at(Const::EmptyArray);
  byte_set(w, {});
  at(Const::ZeroByteSet);
  const uint8_t zero = 0;
  byte_set(w, {&zero, 1});
  at(Const::ListPageTemplate);
  byte_set(w, list_page_template());
  at(Const::BannerPageTemplate);
  byte_set(w, banner_page_template());
  for (const auto& [c, v] : {std::pair{Const::One, 1.0}, {Const::Two, 2.0}, {Const::Eight, 8.0}}) {
    at(c);
    w.u64(std::bit_cast<uint64_t>(v));
  }
  out.data = w.take();
  return out;
}

}  // namespace program
