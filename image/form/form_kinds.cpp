#include "image/form/form_kinds.h"

#include <variant>

#include "runtime/abi.h"

namespace form {
namespace {

struct KindRow {
  uint32_t code;
  const char* name;
};

// In the order of the Properties alternatives.
constexpr KindRow kKinds[] = {
    {abi::kind::Window, "window"},
    {abi::kind::Label, "label"},
    {abi::kind::Button, "button"},
    {abi::kind::EditBox, "edit box"},
    {abi::kind::GroupBox, "group box"},
    {abi::kind::PictureBox, "picture box"},
    {abi::kind::TabControl, "tab control"},
    {abi::kind::HyperlinkBox, "hyperlink box"},
    {abi::kind::Timer, "timer"},
    {abi::kind::HtmlBrowserBox, "HTML browser box"},
};
static_assert(std::size(kKinds) == std::variant_size_v<Properties>);

template <size_t... I>
std::optional<Properties> make_alternative(size_t index, std::index_sequence<I...>) {
  std::optional<Properties> out;
  ((index == I ? (out.emplace(std::in_place_index<I>), 0) : 0), ...);
  return out;
}

}  // namespace

uint32_t kind_code(const Properties& properties) {
  return kKinds[properties.index()].code;
}

uint32_t kind_code(const Element& element) {
  if (const auto* control = std::get_if<ControlRecord>(&element.record)) {
    return kind_code(control->properties);
  }
  return abi::kind::MenuItem;
}

const char* kind_name(uint32_t code) {
  if (code == abi::kind::MenuItem) {
    return "menu item";
  }
  for (const KindRow& row : kKinds) {
    if (row.code == code) {
      return row.name;
    }
  }
  return "unknown";
}

std::optional<Properties> properties_for_kind(uint32_t code) {
  for (size_t i = 0; i < std::size(kKinds); ++i) {
    if (kKinds[i].code == code) {
      return make_alternative(i, std::make_index_sequence<std::variant_size_v<Properties>>{});
    }
  }
  return std::nullopt;
}

uint32_t properties_version(const Properties& properties) {
  return std::visit([](const auto& p) { return std::remove_cvref_t<decltype(p)>::kVersion; },
                    properties);
}

bool is_container_kind(uint32_t code) {
  return code == abi::kind::GroupBox || code == abi::kind::TabControl;
}

}  // namespace form
