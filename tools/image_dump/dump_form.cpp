#include <optional>
#include <variant>

#include "image/form/form_reader.h"
#include "image/format/byte_io.h"
#include "platform/console/hex_text.h"
#include "platform/gbk/gbk_codec.h"
#include "tools/image_dump/dump.h"

namespace dump {

namespace {

std::string utf8(const std::string& gbk_text) {
  return gbk::to_utf8(gbk_text);
}

void control(std::ostream& out, const form::ControlRecord& c) {
  out << "  \"" << utf8(c.name) << "\"  at " << c.geometry.left << ',' << c.geometry.top << ' '
      << c.geometry.width << 'x' << c.geometry.height << "  parent " << console::hex_text(c.parent)
      << "  flags " << console::hex_text(c.state_flags);
  for (const form::EventBinding& e : c.events) {
    out << "  event " << e.event << " -> " << console::hex_text(e.code_offset);
  }
}

void menu_item(std::ostream& out, const form::MenuItemRecord& m) {
  out << "  level " << m.level << "  \"" << utf8(m.caption) << "\"";
  if (m.handler != form::kNoHandler) {
    out << "  -> " << console::hex_text(m.handler);
  }
}

std::optional<form::Form> read_form(std::ostream& out, const image::ImageView& view) {
  form::FormResult result = form::validate_form(view.section(image::SectionId::Form).data);
  if (!result.ok()) {
    out << "form: " << result.error << "\n";
    return std::nullopt;
  }
  return std::move(result.form);
}

void element(std::ostream& out, const form::Element& e) {
  out << "  " << console::hex_text(e.id) << "  kind " << console::hex_text(form::kind_code(e));
  if (const auto* c = std::get_if<form::ControlRecord>(&e.record)) {
    control(out, *c);
  } else {
    menu_item(out, std::get<form::MenuItemRecord>(e.record));
  }
  out << "\n";
}

}  // namespace

bool form(std::ostream& out, const image::ImageView& view) {
  const std::optional<form::Form> result = read_form(out, view);
  if (!result) {
    return false;
  }
  out << "form  window " << console::hex_text(result->window_id) << "  elements "
      << result->elements.size() << "\n";
  form::for_each_element(*result, [&](const form::Element& e) {
    element(out, e);
    return true;
  });
  return true;
}

ControlLookup control(std::ostream& out, const image::ImageView& view, std::string_view name) {
  const std::optional<form::Form> result = read_form(out, view);
  if (!result) {
    return ControlLookup::MalformedForm;
  }
  for (const form::Element& e : result->elements) {
    const auto* c = std::get_if<form::ControlRecord>(&e.record);
    if (c != nullptr && utf8(c->name) == name) {
      element(out, e);
      return ControlLookup::Found;
    }
  }
  return ControlLookup::NotFound;
}

}  // namespace dump
