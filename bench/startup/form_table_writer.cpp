// Build-time tool: writes the main window's controls, menu, tab pages, fonts
// and icon as a plain C++ table, for the bare Qt program the start-up
// benchmark compares the program with. Texts become UTF-8 here.
#include <unicode/ucnv.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <variant>

#include "ui/form_tables.h"

namespace {

std::string utf8_of(const std::string& gbk) {
  std::string out(gbk.size() * 2 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_convert("UTF-8", "windows-936-2000", out.data(), static_cast<int32_t>(out.size()),
                   gbk.data(), static_cast<int32_t>(gbk.size()), &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(n) : 0);
  return out;
}

// A C++ string literal of UTF-8 bytes, each byte escaped.
std::string literal(const std::string& text) {
  std::string out = "\"";
  char hex[8];
  for (const unsigned char c : text) {
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += hex;
  }
  return out + "\"";
}

// The texts a control shows; a tab control's page captions one a line.
std::string caption_of(const form::Properties& p) {
  if (const auto* window = std::get_if<form::WindowProps>(&p))
    return window->caption;
  if (const auto* label = std::get_if<form::LabelProps>(&p))
    return label->caption;
  if (const auto* button = std::get_if<form::ButtonProps>(&p))
    return button->caption;
  if (const auto* edit = std::get_if<form::EditBoxProps>(&p))
    return edit->content;
  if (const auto* group = std::get_if<form::GroupBoxProps>(&p))
    return group->caption;
  if (const auto* tab = std::get_if<form::TabControlProps>(&p)) {
    std::string pages;
    for (const std::string& page : tab->page_captions) {
      pages += (pages.empty() ? "" : "\n") + page;
    }
    return pages;
  }
  return {};
}

// A control's own font, or none when it takes the window's.
const form::Font* font_of(const form::Properties& p) {
  if (const auto* label = std::get_if<form::LabelProps>(&p))
    return &label->font;
  if (const auto* button = std::get_if<form::ButtonProps>(&p))
    return &button->font;
  if (const auto* edit = std::get_if<form::EditBoxProps>(&p))
    return &edit->font;
  if (const auto* group = std::get_if<form::GroupBoxProps>(&p))
    return &group->font;
  return nullptr;
}

// `{face, pixel size, weight}`, or `{nullptr, 0, 0}` for the window's font.
std::string font_entry(const form::Properties& p) {
  const form::Font* font = font_of(p);
  if (font == nullptr || !*font) {
    return "{nullptr, 0, 0}";
  }
  const form::LogFont& f = **font;
  return "{" + literal(utf8_of(f.face_name)) + ", " + std::to_string(std::abs(f.height)) + ", " +
         std::to_string(f.weight) + "}";
}

std::string byte_list(const std::vector<uint8_t>& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    out += (i % 16 == 0 ? "\n    " : " ") + std::to_string(bytes[i]) + ",";
  }
  return out;
}

// The page of its tab control a control sits on, or -1.
int page_of(const form::Form& form, uint32_t id, uint32_t parent) {
  for (const form::Element& e : form.elements) {
    const auto* record = std::get_if<form::ControlRecord>(&e.record);
    if (e.id != parent || record == nullptr ||
        !std::holds_alternative<form::TabControlProps>(record->properties)) {
      continue;
    }
    int page = 0;
    for (const uint32_t child : record->children) {
      if (child == 0) {
        ++page;
      } else if (child == id) {
        return page;
      }
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.inc>\n", argv[0]);
    return 2;
  }
  const form::Form form = ui::build_form();
  std::ofstream out(argv[1]);
  out << "// Written by form_table_writer from the main window's form.\n";
  out << "inline constexpr BareControl kControls[] = {\n";
  for (const form::Element& e : form.elements) {
    const auto* r = std::get_if<form::ControlRecord>(&e.record);
    if (r == nullptr) {
      continue;
    }
    const form::Geometry& g = r->geometry;
    out << "    {" << r->properties.index() << ", " << e.id << "u, " << r->parent << "u, "
        << page_of(form, e.id, r->parent) << ", " << g.left << ", " << g.top << ", " << g.width
        << ", " << g.height << ", " << literal(utf8_of(caption_of(r->properties))) << ", "
        << font_entry(r->properties) << "},\n";
  }
  out << "};\n\ninline constexpr BareMenuItem kMenu[] = {\n";
  for (const form::Element& e : form.elements) {
    if (const auto* m = std::get_if<form::MenuItemRecord>(&e.record)) {
      out << "    {" << m->level << ", " << literal(utf8_of(m->caption)) << "},\n";
    }
  }
  out << "};\n\ninline constexpr unsigned char kIcon[] = {";
  for (const form::Element& e : form.elements) {
    const auto* r = std::get_if<form::ControlRecord>(&e.record);
    if (const auto* window = r ? std::get_if<form::WindowProps>(&r->properties) : nullptr) {
      out << byte_list(window->icon);
    }
  }
  out << "\n};\n";
  return out ? 0 : 1;
}
