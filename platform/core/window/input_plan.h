// What the form does not store about the keyboard and assistive technology:
// the order Tab visits the controls in, the button Enter in an edit box
// clicks, the menu item F1 chooses, and the name a screen reader gives each
// control. The rules name the main window's controls; a control they do not
// name keeps the form's order and has no Enter button.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/form/form_types.h"

namespace core::window {

// Where the control goes in Tab's order: the named controls of each tab page
// in reading order, within each group first, then every other control in the
// form's order (a larger rank; equal ranks keep the form's order).
size_t tab_rank(const form::ControlRecord& record);

// (edit box id, button id) for each edit box whose Enter clicks a button.
std::vector<std::pair<uint32_t, uint32_t>> enter_clicks(const form::Form& form);

// The id of the menu item F1 chooses, the registration help; 0 for none.
uint32_t help_item(const form::Form& form);

// The control's accessible name (GBK): its own entry in the rules, else a
// label's, button's or group box's caption, else, for an HTML browser box,
// the caption of the group box holding it; empty for none.
std::string accessible_name(const form::Form& form, const form::ControlRecord& record);

}  // namespace core::window
