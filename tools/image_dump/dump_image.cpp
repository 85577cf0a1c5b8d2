#include <array>
#include <map>

#include "image/format/byte_io.h"
#include "platform/console/hex_text.h"
#include "platform/gbk/gbk_codec.h"
#include "tools/image_dump/dump.h"

namespace dump {

namespace {

using console::hex_text;
using image::SectionId;

std::string utf8(std::string_view gbk_text) {
  return gbk::to_utf8(gbk_text);
}

std::string routine_name(const image::ImageView& view, uint32_t code_offset) {
  const image::CodeRecord* r = view.routine_at(code_offset);
  return r == nullptr ? "?" : std::string(view.const_text(static_cast<uint32_t>(r->word)));
}

}  // namespace

void header(std::ostream& out, const image::ImageView& view) {
  out << "header\n  magic                 " << hex_text(view.word(image::hdr::Magic))
      << "\n  zero words           ";
  for (uint32_t i = 0; i < image::kZeroWordCount; ++i) {
    out << ' ' << hex_text(view.word(image::hdr::ZeroWords + 4 * i));
  }
  out << "\n  reserved             ";
  for (uint32_t i = 0; i < image::kReservedWords.size(); ++i) {
    out << ' ' << hex_text(view.word(image::hdr::Reserved + 4 * i));
  }
  out << "\n  first section header  " << hex_text(view.word(image::hdr::FirstSection))
      << "\n  declared functions    " << view.declarations().size() << "\n  entry                 "
      << hex_text(view.entry_offset()) << " (code offset " << hex_text(view.entry_code_offset())
      << ", " << routine_name(view, view.entry_code_offset()) << ")\n  image size            "
      << hex_text(view.size()) << "\n";
}

void libraries(std::ostream& out, const image::ImageView& view) {
  out << "libraries\n";
  for (size_t i = 0; i < view.libraries().size(); ++i) {
    const image::Library& l = view.libraries()[i];
    out << "  " << i << "  " << l.name << "  " << l.identifier << "  " << l.major << '.' << l.minor
        << "  " << utf8(l.description) << "  (at " << hex_text(l.offset) << ")\n";
  }
}

void declarations(std::ostream& out, const image::ImageView& view) {
  out << "declared functions\n";
  for (size_t i = 0; i < view.declarations().size(); ++i) {
    const image::Declaration& d = view.declarations()[i];
    out << "  " << i << "  " << (d.library.empty() ? "(system)" : std::string(d.library)) << "  "
        << d.function << "\n";
  }
}

void sections(std::ostream& out, const image::ImageView& view) {
  out << "sections\n";
  view.for_each_section([&](const image::Section& s) {
    out << "  " << s.name << "  header " << hex_text(s.header_offset) << "  flags "
        << hex_text(s.flags) << "  size " << hex_text(s.memory_size) << "  stored "
        << hex_text(s.stored_size) << "  data " << hex_text(s.data_offset) << "  relocations "
        << s.relocation_count << "  next " << hex_text(s.next) << "\n";
    return image::IterationDecision::Continue;
  });
}

void code_records(std::ostream& out, const image::ImageView& view) {
  out << "code records\n";
  for (const image::CodeRecord& r : view.code_records()) {
    out << "  " << hex_text(r.offset) << "  ";
    switch (r.tag) {
      case image::RecordTag::Routine:
        out << "routine " << r.info << "  " << view.const_text(static_cast<uint32_t>(r.word));
        break;
      case image::RecordTag::Operand:
        out << "operand of " << routine_name(view, r.info * 32) << "  word " << hex_text(r.word);
        break;
      case image::RecordTag::Slot:
        out << "service slot " << r.info << "  word " << hex_text(r.word);
        break;
    }
    out << "\n";
  }
}

void relocations(std::ostream& out, const image::ImageView& view) {
  std::map<image::RelocKind, std::vector<image::Relocation>> by_kind;
  view.for_each_relocation([&](const image::Relocation& r) {
    by_kind[r.kind].push_back(r);
    return image::IterationDecision::Continue;
  });
  out << "relocations\n";
  for (const auto& [kind, list] : by_kind) {
    out << "  kind " << static_cast<uint32_t>(kind) << " (" << image::reloc_kind_name(kind)
        << "): " << list.size() << "\n";
    for (const image::Relocation& r : list) {
      out << "    " << hex_text(r.code_offset) << " -> " << hex_text(r.stored);
      if (kind == image::RelocKind::Const) {
        out << "  \"" << utf8(view.const_text(static_cast<uint32_t>(r.stored))) << "\"";
      } else if (kind == image::RelocKind::Code) {
        out << "  " << routine_name(view, static_cast<uint32_t>(r.stored));
      }
      out << "\n";
    }
  }
}

void reloc1_groups(std::ostream& out, const image::ImageView& view) {
  out << "@reloc1\n";
  const auto code = view.section(SectionId::Code).data;
  for (size_t g = 0; g < image::kReloc1Groups; ++g) {
    const auto& group = view.reloc1_groups()[g];
    out << "  group " << g + 1 << " (" << image::kReloc1GroupNames[g]
        << "): " << group.code_offsets.size() << "\n";
    for (uint32_t off : group.code_offsets) {
      out << "    " << hex_text(off) << " = " << hex_text(image::read_u32(code, off)) << "\n";
    }
  }
}

}  // namespace dump
