// The main window as data: its controls, menu items and event bindings, in
// tables that read like the layout they describe. build_form_section() turns
// them into the form description the image carries.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "image/form/form_types.h"
#include "image/routine_list.h"

namespace ui {

// A font as the tables give it; texts here are UTF-8 and become GBK when the
// form is built.
struct FontRow {
  std::string_view face;
  int32_t pixel_height;
  int32_t weight;
  uint8_t char_set;  // 0 ANSI, 134 GB2312
};

struct Binding {
  uint32_t element;  // control id, the window's record id, or a menu item id
  int32_t event;     // a menu item has one handler and no event number: 0 here
  program::Routine routine;
};

struct MenuRow {
  uint32_t id;
  uint32_t level;
  std::string_view caption;
};

// The controls, each as a complete element with its bindings attached,
// keyed by nothing: order is the form's concern.
std::vector<form::Element> control_elements();

// The window's own element, with its created binding.
form::Element window_element();

std::vector<form::Element> menu_elements();

const std::vector<MenuRow>& menu_rows();
const std::vector<Binding>& bindings();

// The events bound to one element (controls and the window).
std::vector<form::EventBinding> events_of(uint32_t element_id);

// The whole form, decoded, and as the bytes of the image's form section.
form::Form build_form();
std::vector<uint8_t> build_form_section();

}  // namespace ui
