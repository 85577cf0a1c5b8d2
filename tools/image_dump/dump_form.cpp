#include <QString>
#include <variant>

#include "image/form/form_reader.h"
#include "image/format/byte_io.h"
#include "platform/gbk/gbk_text.h"
#include "tools/image_dump/dump.h"

namespace dump {

namespace {

std::string utf8(const std::string& gbk_text) {
  return gbk::to_qstring(gbk_text).toStdString();
}

void control(std::ostream& out, const form::ControlRecord& c) {
  out << "  \"" << utf8(c.name) << "\"  at " << c.geometry.left << ',' << c.geometry.top << ' '
      << c.geometry.width << 'x' << c.geometry.height << "  parent " << image::hex(c.parent)
      << "  flags " << image::hex(c.state_flags);
  for (const form::EventBinding& e : c.events) {
    out << "  event " << e.event << " -> " << image::hex(e.code_offset);
  }
}

void menu_item(std::ostream& out, const form::MenuItemRecord& m) {
  out << "  level " << m.level << "  \"" << utf8(m.caption) << "\"";
  if (m.handler != form::kNoHandler) {
    out << "  -> " << image::hex(m.handler);
  }
}

}  // namespace

bool form(std::ostream& out, const image::ImageView& view) {
  const auto bytes = view.section(image::SectionId::Form).data;
  const form::FormResult result = form::validate_form(bytes);
  if (!result.ok()) {
    out << "form: " << result.error << "\n";
    return false;
  }
  out << "form  window " << image::hex(result.form->window_id) << "  elements "
      << result.form->elements.size() << "\n";
  form::for_each_element(*result.form, [&](const form::Element& e) {
    out << "  " << image::hex(e.id) << "  kind " << image::hex(form::kind_code(e));
    if (const auto* c = std::get_if<form::ControlRecord>(&e.record)) {
      control(out, *c);
    } else {
      menu_item(out, std::get<form::MenuItemRecord>(e.record));
    }
    out << "\n";
    return true;
  });
  return true;
}

}  // namespace dump
