#include "image/form/form_writer.h"

#include <cassert>
#include <cstring>
#include <string_view>

#include "image/form/form_kinds.h"
#include "image/form/record_fields.h"

namespace form {
namespace {

class Writer {
 public:
  explicit Writer(Bytes& out) : out_(out) {}

  void u32(uint32_t v, std::string_view = {}) {
    for (int shift = 0; shift < 32; shift += 8) {
      out_.push_back(static_cast<uint8_t>(v >> shift));
    }
  }
  void i32(int32_t v, std::string_view = {}) { u32(static_cast<uint32_t>(v)); }
  void u16(uint16_t v, std::string_view = {}) {
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void u8(uint8_t v) { out_.push_back(v); }
  void reserved(size_t n, std::string_view) { out_.insert(out_.end(), n, 0); }

  template <size_t N>
  void words(const std::array<uint32_t, N>& ws, std::string_view) {
    for (uint32_t w : ws) {
      u32(w);
    }
  }
  void raw(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
  }
  void text(const std::string& s, std::string_view) {
    u32(checked_count(s.size()));
    raw(s.data(), s.size());
  }
  void blob(const Bytes& b, std::string_view) {
    u32(checked_count(b.size()));
    raw(b.data(), b.size());
  }
  void cstring(const std::string& s, std::string_view) {
    assert(s.find('\0') == std::string::npos && "a stored name or caption holds a NUL");
    raw(s.data(), s.size());
    out_.push_back(0);
  }
  void font(const Font& f, std::string_view) {
    if (!f) {
      u32(0);
      return;
    }
    u32(kLogFontSize);
    i32(f->height);
    i32(f->width);
    i32(f->escapement);
    i32(f->orientation);
    i32(f->weight);
    for (uint8_t b : {f->italic, f->underline, f->strike_out, f->char_set, f->out_precision,
                      f->clip_precision, f->quality, f->pitch_and_family}) {
      u8(b);
    }
    assert(f->face_name.size() < kFaceNameSize && "face name longer than 31 bytes");
    char face[kFaceNameSize] = {};
    std::memcpy(face, f->face_name.data(), std::min(f->face_name.size(), kFaceNameSize - 1));
    raw(face, sizeof face);
  }
  void id_list(const std::vector<uint32_t>& ids, std::string_view) {
    u32(checked_count(ids.size()));
    for (uint32_t id : ids) {
      u32(id);
    }
  }
  void events(const std::vector<EventBinding>& events, std::string_view) {
    u32(checked_count(events.size()));
    for (const EventBinding& e : events) {
      i32(e.event);
      u32(e.code_offset);
    }
  }
  void page_captions(const std::vector<std::string>& captions, std::string_view field) {
    assert(captions.size() <= 0xFFFF && "too many tab pages");
    u16(static_cast<uint16_t>(captions.size()));
    for (const std::string& c : captions) {
      text(c, field);
    }
  }

  size_t size() const { return out_.size(); }
  void patch_u32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      out_[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
  }

 private:
  static uint32_t checked_count(size_t n) {
    assert(n <= 0xFFFFFFFFu && "field larger than 4 GiB");
    return static_cast<uint32_t>(n);
  }
  Bytes& out_;
};

void write_record(Writer& w, const Element& element) {
  const size_t count_at = w.size();
  w.u32(0);
  w.u32(kind_code(element));
  w.reserved(20, {});
  std::visit(
      [&w](const auto& record) {
        w.cstring(record.name, {});
        w.cstring(record.comment, {});
        using T = std::remove_cvref_t<decltype(record)>;
        if constexpr (std::is_same_v<T, MenuItemRecord>) {
          fields::menu_item(w, record);
        } else {
          fields::control_head(w, record);
          w.u32(properties_version(record.properties));
          fields::properties(w, record.properties);
        }
      },
      element.record);
  w.patch_u32(count_at, static_cast<uint32_t>(w.size() - count_at - 4));
}

}  // namespace

Bytes write_form(const Form& form) {
  Bytes out;
  Writer w(out);
  w.u32(kFirstWord);
  w.u32(form.window_id);
  w.words(form.design_words, {});
  w.u32(kGroupId);
  w.reserved(8, {});
  w.u32(static_cast<uint32_t>(form.elements.size()));
  w.u32(0);  // byte count of the rest, patched below
  for (const Element& e : form.elements) {
    w.u32(e.id);
  }
  const size_t offsets_at = w.size();
  w.reserved(4 * form.elements.size(), {});
  const size_t records_at = w.size();
  for (size_t i = 0; i < form.elements.size(); ++i) {
    w.patch_u32(offsets_at + 4 * i, static_cast<uint32_t>(w.size() - records_at));
    write_record(w, form.elements[i]);
  }
  w.patch_u32(kHeaderSize - 4, static_cast<uint32_t>(out.size() - kHeaderSize));
  return out;
}

}  // namespace form
