#include <algorithm>

#include "image/format/byte_io.h"
#include "image/format/image_view.h"
#include "platform/console/hex_text.h"

namespace image {

std::string_view reloc_kind_name(RelocKind kind) {
  switch (kind) {
    case RelocKind::Slot:
      return "service slot";
    case RelocKind::Const:
      return "const";
    case RelocKind::Var:
      return "var";
    case RelocKind::Code:
      return "routine";
  }
  return "unknown";
}

namespace {

// Thrown inside the parser only; turned into a ValidationResult at its edge.
struct Malformed {
  std::string message;
};

[[noreturn]] void fail(std::string message) {
  throw Malformed{std::move(message)};
}

}  // namespace

class ImageParser {
 public:
  explicit ImageParser(std::span<const uint8_t> bytes) : bytes_(bytes) { view_.bytes_ = bytes; }

  ImageView parse() {
    header();
    libraries();
    chain();
    header_section_words();
    declarations();
    code_records();
    relocations();
    entry();
    reloc1();
    view_.bytes_ = bytes_.first(view_.size_);
    return std::move(view_);
  }

 private:
  uint32_t field(uint64_t offset, std::string_view what, std::string_view where = "header") {
    if (!fits(bytes_.size(), offset, 4)) {
      fail(std::string(where) + ": field '" + std::string(what) + "' at " +
           console::hex_text(offset) + " lies past the end (size " +
           console::hex_text(bytes_.size()) + ")");
    }
    return read_u32(bytes_, offset);
  }

  void header() {
    const uint32_t magic = field(hdr::Magic, "magic");
    if (magic != kMagic) {
      fail("header: magic at 0x0 is " + console::hex_text(magic) + ", expected " +
           console::hex_text(kMagic));
    }
    for (uint32_t i = 0; i < kZeroWordCount; ++i) {
      field(hdr::ZeroWords + 4 * i, "reserved");
    }
    field(hdr::FirstSection, "first section header");
    for (uint32_t i = 0; i < kReservedWords.size(); ++i) {
      field(hdr::Reserved + 4 * i, "reserved");
    }
    declaration_count_ = field(hdr::DeclarationCount, "declaration count");
    field(hdr::Entry, "entry offset");
    for (uint32_t i = 0; i < 5; ++i) {
      field(hdr::SectionHeaders + 4 * i, std::string(kSections[i].name) + " header offset");
    }
    field(hdr::ConstAgain, "const header offset (again)");
    const uint64_t arrays = hdr::Declarations + 8ull * declaration_count_;
    if (arrays > bytes_.size()) {
      fail("header: " + std::to_string(declaration_count_) + " declarations need the bytes up to " +
           console::hex_text(arrays) + ", past the end (size " + console::hex_text(bytes_.size()) +
           ")");
    }
  }

  void libraries() {
    uint32_t at = hdr::Declarations + 8 * declaration_count_;
    for (;;) {
      const auto* begin = bytes_.data() + at;
      const auto* end = std::find(begin, bytes_.data() + bytes_.size(), uint8_t{0});
      if (end == bytes_.data() + bytes_.size()) {
        fail("library table: record at " + console::hex_text(at) + " has no terminating zero");
      }
      const std::string_view record(reinterpret_cast<const char*>(begin), end - begin);
      if (record.empty()) {
        table_end_ = at + 1;
        return;
      }
      view_.libraries_.push_back(library(at, record));
      at += static_cast<uint32_t>(record.size()) + 1;
    }
  }

  Library library(uint32_t at, std::string_view record) {
    std::array<std::string_view, 5> fields;
    size_t count = 0;
    for (size_t start = 0; count < fields.size(); ++count) {
      const size_t cr = record.find('\r', start);
      fields[count] = record.substr(start, cr == std::string_view::npos ? cr : cr - start);
      if (cr == std::string_view::npos) {
        ++count;
        break;
      }
      start = cr + 1;
    }
    if (count != 5 || fields[4].find('\r') != std::string_view::npos) {
      fail("library table: record at " + console::hex_text(at) + " does not have 5 fields");
    }
    const auto known =
        std::find_if(kKnownLibraries.begin(), kKnownLibraries.end(),
                     [&](const KnownLibrary& k) { return k.identifier == fields[1]; });
    if (known == kKnownLibraries.end() || known->name != fields[0]) {
      fail("library table: record at " + console::hex_text(at) + " names an unknown library '" +
           std::string(fields[0]) + "' (" + std::string(fields[1]) + ")");
    }
    return {at, fields[0], fields[1], fields[2], fields[3], fields[4]};
  }

  void chain() {
    uint32_t at = read_u32(bytes_, hdr::FirstSection);
    if (at != table_end_) {
      fail("header: first section header at " + console::hex_text(at) + ", expected " +
           console::hex_text(table_end_) + " (right after the library table)");
    }
    for (size_t i = 0; i < kSectionCount; ++i) {
      if (at == kNoOffset) {
        fail("section chain ends after " + std::to_string(i) + " sections, expected " +
             std::to_string(kSectionCount));
      }
      at = section(i, at);
    }
    if (at != kNoOffset) {
      fail("section '@reloc1': link to the next header is " + console::hex_text(at) +
           ", expected 0xffffffff");
    }
  }

  uint32_t section(size_t index, uint32_t at) {
    const SectionInfo& info = kSections[index];
    const std::string where = "section header at " + console::hex_text(at);
    if (!fits(bytes_.size(), at, sec::Size)) {
      fail(where + " lies past the end (size " + console::hex_text(bytes_.size()) + ")");
    }
    const std::string_view raw(reinterpret_cast<const char*>(bytes_.data() + at + sec::Name),
                               sec::NameWidth);
    const std::string_view name = raw.substr(0, raw.find('\0'));
    if (name != info.name) {
      fail(where + ": name '" + std::string(name) + "', expected '" + std::string(info.name) + "'");
    }
    const std::string s = "section '" + std::string(name) + "'";
    Section& out = view_.sections_[index];
    out = {static_cast<SectionId>(index),
           info.name,
           at,
           read_u32(bytes_, at + sec::Flags),
           read_u32(bytes_, at + sec::MemorySize),
           read_u32(bytes_, at + sec::StoredSize),
           read_u32(bytes_, at + sec::DataOffset),
           read_u32(bytes_, at + sec::RelocationCount),
           read_u32(bytes_, at + sec::Next),
           {}};
    if (out.relocation_count != 0 && out.id != SectionId::Code) {
      fail(s + ": " + std::to_string(out.relocation_count) + " relocation entries, expected none");
    }
    const uint64_t header_size = sec::Size + 4ull * out.relocation_count;
    if (read_u32(bytes_, at + sec::HeaderSize) != header_size) {
      fail(s + ": header size " + console::hex_text(read_u32(bytes_, at + sec::HeaderSize)) +
           ", expected " + console::hex_text(header_size));
    }
    if (!fits(bytes_.size(), at, header_size)) {
      fail(s + ": relocation entries up to " + console::hex_text(at + header_size) +
           " lie past the end (size " + console::hex_text(bytes_.size()) + ")");
    }
    const uint32_t data_at = at + static_cast<uint32_t>(header_size);
    if (!info.stored) {
      if (out.memory_size > kMaxMemoryOnlySize) {
        fail(s + ": size " + console::hex_text(out.memory_size) + " at " +
             console::hex_text(at + sec::MemorySize) + " exceeds the limit " +
             console::hex_text(kMaxMemoryOnlySize));
      }
      if (out.data_offset != kNoOffset || out.stored_size != 0) {
        fail(s + ": data offset " + console::hex_text(out.data_offset) + " and stored size " +
             console::hex_text(out.stored_size) + ", expected 0xffffffff and 0");
      }
      return expect_next(s, out.next, data_at);
    }
    if (out.data_offset != data_at) {
      fail(s + ": data offset " + console::hex_text(out.data_offset) + ", expected " +
           console::hex_text(data_at) + " (right after the header)");
    }
    if (out.stored_size != out.memory_size) {
      fail(s + ": stored size " + console::hex_text(out.stored_size) + " differs from the size " +
           console::hex_text(out.memory_size));
    }
    if (!fits(bytes_.size(), data_at, out.stored_size)) {
      fail(s + ": data " + console::hex_text(data_at) + "+" + console::hex_text(out.stored_size) +
           " lies past the end (size " + console::hex_text(bytes_.size()) + ")");
    }
    out.data = bytes_.subspan(data_at, out.stored_size);
    view_.size_ = data_at + out.stored_size;
    return expect_next(s, out.next, view_.size_);
  }

  uint32_t expect_next(const std::string& s, uint32_t next, uint32_t end) {
    if (next != kNoOffset && next != end) {
      fail(s + ": link to the next header is " + console::hex_text(next) + ", expected " +
           console::hex_text(end) + " (no gaps)");
    }
    view_.size_ = std::max(view_.size_, end);
    return next;
  }

  void header_section_words() {
    for (uint32_t i = 0; i < 5; ++i) {
      const uint32_t stored = read_u32(bytes_, hdr::SectionHeaders + 4 * i);
      if (stored != view_.sections_[i].header_offset) {
        fail("header: " + std::string(kSections[i].name) + " header offset at " +
             console::hex_text(hdr::SectionHeaders + 4 * i) + " is " + console::hex_text(stored) +
             ", expected " + console::hex_text(view_.sections_[i].header_offset));
      }
    }
    if (read_u32(bytes_, hdr::ConstAgain) != view_.sections_[0].header_offset) {
      fail("header: const header offset (again) at 0x54 is " +
           console::hex_text(read_u32(bytes_, hdr::ConstAgain)) + ", expected " +
           console::hex_text(view_.sections_[0].header_offset));
    }
  }

  std::string_view const_text(uint32_t offset, const std::string& what) {
    const auto data = view_.section(SectionId::Const).data;
    if (offset >= data.size()) {
      fail(what + ": const offset " + console::hex_text(offset) +
           " lies past the end of const (size " + console::hex_text(data.size()) + ")");
    }
    const auto* begin = data.data() + offset;
    const auto* end = std::find(begin, data.data() + data.size(), uint8_t{0});
    if (end == data.data() + data.size()) {
      fail(what + ": text at const offset " + console::hex_text(offset) +
           " has no terminating zero");
    }
    return {reinterpret_cast<const char*>(begin), static_cast<size_t>(end - begin)};
  }

  void declarations() {
    for (uint32_t i = 0; i < declaration_count_; ++i) {
      const uint32_t lib = read_u32(bytes_, hdr::Declarations + 4 * i);
      const uint32_t fn = read_u32(bytes_, hdr::Declarations + 4 * (declaration_count_ + i));
      const std::string what = "declaration " + std::to_string(i);
      view_.declarations_.push_back(
          {lib, fn, const_text(lib, what + " library"), const_text(fn, what + " function")});
    }
  }

  void code_records() {
    const auto code = view_.section(SectionId::Code).data;
    for (uint32_t at = 0; at < code.size();) {
      if (!fits(code.size(), at, 8)) {
        fail("section 'code': record at " + console::hex_text(at) + " is cut off (size " +
             console::hex_text(code.size()) + ")");
      }
      const uint32_t tag = read_u32(code, at);
      const uint32_t size =
          tag == static_cast<uint32_t>(RecordTag::Routine) ? rec::RoutineSize : rec::WordSize;
      if (tag < 1 || tag > 3) {
        fail("section 'code': record at " + console::hex_text(at) + " has tag " +
             console::hex_text(tag) + ", expected 1, 2 or 3");
      }
      if (!fits(code.size(), at, size)) {
        fail("section 'code': record at " + console::hex_text(at) + " is cut off (size " +
             console::hex_text(code.size()) + ")");
      }
      view_.records_.push_back({static_cast<RecordTag>(tag), at, read_u32(code, at + rec::Info),
                                read_u64(code, at + rec::Word)});
      at += size;
    }
    for (const CodeRecord& r : view_.records_) {
      if (r.tag == RecordTag::Routine) {
        const auto name =
            const_text(static_cast<uint32_t>(r.word),
                       "section 'code': routine record at " + console::hex_text(r.offset));
        if (name.empty()) {
          fail("section 'code': routine record at " + console::hex_text(r.offset) +
               " has an empty name");
        }
      }
    }
  }

  void relocations() {
    const Section& code = view_.section(SectionId::Code);
    for (uint32_t i = 0; i < code.relocation_count; ++i) {
      const Relocation r = view_.relocation(i);
      const std::string where = "section 'code': relocation at " + console::hex_text(r.code_offset);
      if (reloc_kind_bits(read_u32(bytes_, r.entry_offset)) > 3) {
        fail(where + " has unknown kind " +
             std::to_string(reloc_kind_bits(read_u32(bytes_, r.entry_offset))));
      }
      if (!fits(code.stored_size, r.code_offset, 8)) {
        fail(where + " points past the end (size " + console::hex_text(code.stored_size) + ")");
      }
      target(where, r);
    }
  }

  void target(const std::string& where, const Relocation& r) {
    const uint64_t v = r.stored;
    switch (r.kind) {
      case RelocKind::Slot:
        if (v % 4 != 0 || v / 4 >= 13) {
          fail(where + ": slot word " + console::hex_text(v) +
               " is not a slot number x 4 below 13");
        }
        return;
      case RelocKind::Const:
      case RelocKind::Var: {
        const Section& s =
            view_.section(r.kind == RelocKind::Const ? SectionId::Const : SectionId::Var);
        if (v >= s.memory_size) {
          fail(where + ": " + std::string(reloc_kind_name(r.kind)) + " offset " +
               console::hex_text(v) + " lies past the end of '" + std::string(s.name) + "' (size " +
               console::hex_text(s.memory_size) + ")");
        }
        return;
      }
      case RelocKind::Code:
        if (v > UINT32_MAX || view_.routine_at(static_cast<uint32_t>(v)) == nullptr) {
          fail(where + ": code offset " + console::hex_text(v) +
               " is not the start of a routine record");
        }
        return;
    }
  }

  void entry() {
    const Section& code = view_.section(SectionId::Code);
    const uint32_t e = read_u32(bytes_, hdr::Entry);
    if (e < code.data_offset || view_.routine_at(e - code.data_offset) == nullptr) {
      fail("header: entry offset " + console::hex_text(e) +
           " is not the start of a routine record in 'code' (" +
           console::hex_text(code.data_offset) + "+" + console::hex_text(code.stored_size) + ")");
    }
  }

  void reloc1() {
    const Section& s = view_.section(SectionId::Reloc1);
    const uint32_t code_size = view_.section(SectionId::Code).stored_size;
    uint32_t at = 0;
    for (size_t g = 0; g < kReloc1Groups; ++g) {
      const std::string where = "section '@reloc1': group " + std::to_string(g + 1);
      if (!fits(s.stored_size, at, 4)) {
        fail(where + ": count at " + console::hex_text(at) + " lies past the end (size " +
             console::hex_text(s.stored_size) + ")");
      }
      const uint32_t count = read_u32(s.data, at);
      if (!fits(s.stored_size, at + 4ull, 4ull * count)) {
        fail(where + ": " + std::to_string(count) + " entries at " + console::hex_text(at + 4) +
             " reach past the end (size " + console::hex_text(s.stored_size) + ")");
      }
      view_.groups_[g].offset = s.data_offset + at;
      for (uint32_t i = 0; i < count; ++i) {
        const uint32_t off = read_u32(s.data, at + 4 + 4 * i);
        if (!fits(code_size, off, 4)) {
          fail(where + ": code offset " + console::hex_text(off) +
               " lies past the end of 'code' (size " + console::hex_text(code_size) + ")");
        }
        view_.groups_[g].code_offsets.push_back(off);
      }
      at += 4 + 4 * count;
    }
  }

  std::span<const uint8_t> bytes_;
  ImageView view_;
  uint32_t declaration_count_ = 0;
  uint32_t table_end_ = 0;
};

ValidationResult validate_image(std::span<const uint8_t> bytes) {
  std::string error;
  const bool ok = ImageView::create(bytes, &error).has_value();
  return {ok, ok ? std::string() : error};
}

std::optional<ImageView> ImageView::create(std::span<const uint8_t> bytes, std::string* error) {
  try {
    return ImageParser(bytes).parse();
  } catch (const Malformed& m) {
    if (error != nullptr) {
      *error = m.message;
    }
    return std::nullopt;
  }
}

uint32_t ImageView::word(uint32_t offset) const {
  return read_u32(bytes_, offset);
}

Relocation ImageView::relocation(uint32_t index) const {
  const Section& code = section(SectionId::Code);
  const uint32_t at = code.header_offset + sec::Size + 4 * index;
  const uint32_t entry = read_u32(bytes_, at);
  const uint32_t off = reloc_offset(entry);
  const uint64_t stored = fits(code.stored_size, off, 8) ? read_u64(code.data, off) : 0;
  return {at, off, static_cast<RelocKind>(reloc_kind_bits(entry)), stored};
}

const CodeRecord* ImageView::routine_at(uint32_t code_offset) const {
  const auto it = std::lower_bound(records_.begin(), records_.end(), code_offset,
                                   [](const CodeRecord& r, uint32_t o) { return r.offset < o; });
  if (it == records_.end() || it->offset != code_offset || it->tag != RecordTag::Routine) {
    return nullptr;
  }
  return &*it;
}

std::string_view ImageView::const_text(uint32_t const_offset) const {
  const auto data = section(SectionId::Const).data;
  if (const_offset >= data.size()) {
    return {};
  }
  const auto* begin = reinterpret_cast<const char*>(data.data() + const_offset);
  return {begin, strnlen(begin, data.size() - const_offset)};
}

}  // namespace image
