#include "image/form/form_reader.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "image/form/form_kinds.h"
#include "image/form/record_fields.h"
#include "image/form/structure_check.h"
#include "platform/console/hex_text.h"
#include "runtime/abi.h"

namespace form {
namespace {

struct FormError {
  std::string message;
};

// The part of the form a reader reads, as its messages name it: a fixed part
// ("header") or an element by index, id and, once read, kind. The name is
// built only for a message, not for every element read.
struct Place {
  const char* part = nullptr;
  size_t index = 0;
  uint32_t id = 0;
  std::optional<uint32_t> kind;

  std::string name() const {
    if (part != nullptr) {
      return part;
    }
    std::string label = "element " + std::to_string(index) + " (id " + console::hex_text(id);
    if (kind) {
      label += std::string(", ") + kind_name(*kind);
    }
    return label + ")";
  }
};

// Reads little-endian fields from [pos, end) of the bytes; any field that does
// not fit, or breaks a rule, ends the read with a FormError.
class Reader {
 public:
  Reader(std::span<const uint8_t> bytes, size_t pos, size_t end, Place place)
      : bytes_(bytes), pos_(pos), end_(end), place_(place) {}

  size_t pos() const { return pos_; }
  size_t remaining() const { return end_ - pos_; }

  [[noreturn]] void fail(size_t at, std::string_view field, const std::string& problem) const {
    throw FormError{place_.name() + ": field '" + std::string(field) + "' at " +
                    console::hex_text(at) + " " + problem};
  }

  uint32_t take_u32(std::string_view field) {
    need(4, field);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      v |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
    }
    pos_ += 4;
    return v;
  }

  void u32(uint32_t& v, std::string_view field) { v = take_u32(field); }
  void i32(int32_t& v, std::string_view field) { v = static_cast<int32_t>(take_u32(field)); }
  void u16(uint16_t& v, std::string_view field) {
    need(2, field);
    v = static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
    pos_ += 2;
  }
  template <size_t N>
  void words(std::array<uint32_t, N>& ws, std::string_view field) {
    for (uint32_t& w : ws) {
      w = take_u32(field);
    }
  }
  void reserved(size_t n, std::string_view field) {
    need(n, field);
    for (size_t i = 0; i < n; ++i) {
      if (bytes_[pos_ + i] != 0) {
        fail(pos_ + i, field, "holds " + console::hex_text(bytes_[pos_ + i]) + " (expected zero)");
      }
    }
    pos_ += n;
  }
  // The bytes a length word counts, which must lie inside the record.
  std::span<const uint8_t> counted(std::string_view field) {
    const size_t at = pos_;
    const uint32_t n = take_u32(field);
    if (n > remaining()) {
      fail(at, field,
           "counts " + std::to_string(n) + " bytes but the record ends at " +
               console::hex_text(end_));
    }
    const std::span<const uint8_t> data = bytes_.subspan(pos_, n);
    pos_ += n;
    return data;
  }
  void text(std::string& s, std::string_view field) {
    const std::span<const uint8_t> data = counted(field);
    s.assign(reinterpret_cast<const char*>(data.data()), data.size());
  }
  void blob(Bytes& b, std::string_view field) {
    const std::span<const uint8_t> data = counted(field);
    b.assign(data.begin(), data.end());
  }
  void cstring(std::string& s, std::string_view field) {
    const auto begin = bytes_.begin() + static_cast<ptrdiff_t>(pos_);
    const auto stop = bytes_.begin() + static_cast<ptrdiff_t>(end_);
    const auto nul = std::find(begin, stop, uint8_t{0});
    if (nul == stop) {
      fail(pos_, field,
           "has no terminating zero before the record ends at " + console::hex_text(end_));
    }
    s.assign(begin, nul);
    pos_ += s.size() + 1;
  }
  void font(Font& f, std::string_view field) {
    const size_t at = pos_;
    const uint32_t n = take_u32(field);
    if (n == 0) {
      f.reset();
      return;
    }
    if (n != kLogFontSize) {
      fail(at, field, "counts " + std::to_string(n) + " bytes (expected 0 or 60)");
    }
    need(kLogFontSize, field);
    LogFont lf;
    i32(lf.height, field);
    i32(lf.width, field);
    i32(lf.escapement, field);
    i32(lf.orientation, field);
    i32(lf.weight, field);
    for (uint8_t* b : {&lf.italic, &lf.underline, &lf.strike_out, &lf.char_set, &lf.out_precision,
                       &lf.clip_precision, &lf.quality, &lf.pitch_and_family}) {
      *b = bytes_[pos_++];
    }
    const auto* face = reinterpret_cast<const char*>(bytes_.data() + pos_);
    const size_t len = std::find(face, face + kFaceNameSize, '\0') - face;
    if (len == kFaceNameSize) {
      fail(pos_, field, "face name has no terminating zero within 32 bytes");
    }
    lf.face_name.assign(face, len);
    pos_ += kFaceNameSize;
    f = std::move(lf);
  }
  void id_list(std::vector<uint32_t>& ids, std::string_view field) {
    const size_t n = counted(4, field);
    ids.resize(n);
    for (uint32_t& id : ids) {
      id = take_u32(field);
    }
  }
  void events(std::vector<EventBinding>& events, std::string_view field) {
    const size_t n = counted(8, field);
    events.resize(n);
    for (EventBinding& e : events) {
      i32(e.event, field);
      u32(e.code_offset, field);
    }
  }
  void page_captions(std::vector<std::string>& captions, std::string_view field) {
    uint16_t n = 0;
    u16(n, field);
    captions.resize(n);
    for (std::string& c : captions) {
      text(c, field);
    }
  }

 private:
  void need(size_t n, std::string_view field) const {
    if (n > remaining()) {
      fail(pos_, field,
           "needs " + std::to_string(n) + " bytes but the record ends at " +
               console::hex_text(end_));
    }
  }
  // Reads a count of items of `item_size` bytes and checks that they fit.
  size_t counted(size_t item_size, std::string_view field) {
    const size_t at = pos_;
    const uint32_t n = take_u32(field);
    if (n > remaining() / item_size) {
      fail(at, field,
           "counts " + std::to_string(n) + " entries but the record ends at " +
               console::hex_text(end_));
    }
    return n;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_;
  size_t end_;
  Place place_;
};

Element read_record(Reader& r, uint32_t id, uint32_t kind) {
  Element element{id, {}};
  std::string name;
  std::string comment;
  r.cstring(name, "name");
  r.cstring(comment, "comment");
  if (kind == abi::kind::MenuItem) {
    MenuItemRecord item{std::move(name), std::move(comment)};
    fields::menu_item(r, item);
    element.record = std::move(item);
    return element;
  }
  std::optional<Properties> props = properties_for_kind(kind);
  ControlRecord control{std::move(name), std::move(comment)};
  fields::control_head(r, control);
  const size_t version_at = r.pos();
  const uint32_t version = r.take_u32("property block version");
  if (version != properties_version(*props)) {
    r.fail(version_at, "property block version",
           "is " + std::to_string(version) + " (expected " +
               std::to_string(properties_version(*props)) + ")");
  }
  fields::properties(r, *props);
  control.properties = std::move(*props);
  element.record = std::move(control);
  return element;
}

struct Header {
  uint32_t window_id;
  std::array<uint32_t, 2> design_words;
  uint32_t count;
};

Header read_header(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderSize) {
    throw FormError{"header: the form is " + std::to_string(bytes.size()) +
                    " bytes, shorter than its 36-byte header"};
  }
  Reader r(bytes, 0, kHeaderSize, {"header"});
  auto expect = [&r](uint32_t wanted, std::string_view field) {
    const size_t at = r.pos();
    const uint32_t v = r.take_u32(field);
    if (v != wanted) {
      r.fail(at, field,
             "is " + console::hex_text(v) + " (expected " + console::hex_text(wanted) + ")");
    }
  };
  Header h{};
  expect(kFirstWord, "first word");
  r.u32(h.window_id, "window id");
  r.words(h.design_words, "design-time words");
  expect(kGroupId, "group id");
  r.reserved(8, "zero words");
  r.u32(h.count, "element count");
  expect(static_cast<uint32_t>(std::min<size_t>(bytes.size() - kHeaderSize, 0xFFFFFFFFu)),
         "byte count of the rest");
  if (h.count == 0 || h.count > (bytes.size() - kHeaderSize) / 8) {
    r.fail(28, "element count",
           "is " + std::to_string(h.count) + ", which the " + std::to_string(bytes.size()) +
               "-byte form cannot hold");
  }
  return h;
}

Form read_form(std::span<const uint8_t> bytes) {
  const Header h = read_header(bytes);
  Form form{h.window_id, h.design_words, {}};
  Reader table(bytes, kHeaderSize, bytes.size(), {"element table"});
  std::vector<uint32_t> ids(h.count);
  std::vector<uint32_t> offsets(h.count);
  for (uint32_t& id : ids) {
    id = table.take_u32("element id");
  }
  for (uint32_t& off : offsets) {
    off = table.take_u32("record offset");
  }
  const size_t records_base = table.pos();
  size_t expected = 0;
  for (uint32_t i = 0; i < h.count; ++i) {
    const size_t at = records_base + offsets[i];
    Reader head(bytes, at, bytes.size(), {nullptr, i, ids[i], std::nullopt});
    if (offsets[i] != expected) {
      head.fail(kHeaderSize + 4 * (h.count + i), "record offset",
                "is " + console::hex_text(offsets[i]) + " (expected " +
                    console::hex_text(expected) + ", right after the previous record)");
    }
    const uint32_t size = head.take_u32("record byte count");
    if (size < 4 || size > head.remaining()) {
      head.fail(at, "record byte count",
                "is " + std::to_string(size) + " but " + std::to_string(head.remaining()) +
                    " bytes remain");
    }
    const uint32_t kind = head.take_u32("kind code");
    Reader r(bytes, at + 8, at + 4 + size, {nullptr, i, ids[i], kind});
    if (kind != abi::kind::MenuItem && !properties_for_kind(kind)) {
      r.fail(at + 4, "kind code", "is " + console::hex_text(kind) + ", which no known kind has");
    }
    r.reserved(20, "reserved bytes after the kind code");
    form.elements.push_back(read_record(r, ids[i], kind));
    if (r.remaining() != 0) {
      r.fail(r.pos(), "end of record", "leaves " + std::to_string(r.remaining()) + " bytes unread");
    }
    expected = at + 4 + size - records_base;
  }
  if (records_base + expected != bytes.size()) {
    throw FormError{"element table: " + std::to_string(bytes.size() - records_base - expected) +
                    " bytes follow the last record at " +
                    console::hex_text(records_base + expected)};
  }
  return form;
}

}  // namespace

FormResult validate_form(std::span<const uint8_t> bytes) {
  try {
    Form form = read_form(bytes);
    if (std::string problem = check_structure(form); !problem.empty()) {
      return {std::nullopt, problem};
    }
    return {std::move(form), {}};
  } catch (const FormError& e) {
    return {std::nullopt, e.message};
  }
}

const Element* find_element(const Form& form, uint32_t id) {
  for (const Element& e : form.elements) {
    if (e.id == id) {
      return &e;
    }
  }
  return nullptr;
}

}  // namespace form
