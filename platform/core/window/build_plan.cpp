#include "platform/core/window/build_plan.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/form/form_reader.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/input_plan.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

const form::ControlRecord& record_of(const form::Element& element) {
  return std::get<form::ControlRecord>(element.record);
}

const form::Element& parent_of(const form::Form& form, const form::ControlRecord& record) {
  const form::Element* parent = form::find_element(form, record.parent);
  if (parent == nullptr || !std::holds_alternative<form::ControlRecord>(parent->record)) {
    fatal_error("LoadStartWindow: control '" + record.name + "' names no container");
  }
  return *parent;
}

int page_count(const form::ControlRecord& record) {
  const auto* tab = std::get_if<form::TabControlProps>(&record.properties);
  return tab ? static_cast<int>(tab->page_captions.size()) : 0;
}

// The tab control's list names its children page by page, the pages
// separated by id 0 (the form's check holds one list per page).
int page_in(const form::ControlRecord& tab, uint32_t child) {
  const auto at = std::find(tab.children.begin(), tab.children.end(), child);
  return static_cast<int>(std::count(tab.children.begin(), at, 0u));
}

// What the logic keeps of a control, as its record stores it.
LiveControl initial_state(uint32_t kind, Handle handle, const form::ControlRecord& record) {
  LiveControl c{.kind = kind, .handle = handle};
  c.disabled = (record.state_flags & form::state::Disabled) != 0;
  c.page_count = page_count(record);
  if (const auto* p = std::get_if<form::LabelProps>(&record.properties)) {
    c.text = p->caption;
  } else if (const auto* p = std::get_if<form::HtmlBrowserProps>(&record.properties)) {
    c.text = p->address;
  } else if (const auto* p = std::get_if<form::PictureBoxProps>(&record.properties)) {
    c.picture = p->picture;
  } else if (const auto* p = std::get_if<form::TimerProps>(&record.properties)) {
    c.interval_ms = static_cast<int32_t>(std::min<uint32_t>(p->interval_ms, INT32_MAX));
  }
  return c;
}

class Builder {
 public:
  Builder(const form::Form& form, Backend& backend, Controls& controls)
      : form_(form), backend_(backend), controls_(controls) {}

  const LiveControl& build(const form::Element& element) {
    if (const auto it = controls_.find(element.id); it != controls_.end()) {
      return it->second;
    }
    const form::ControlRecord& record = record_of(element);
    const uint32_t kind = form::kind_code(record.properties);
    const Handle handle = backend_.create(element.id, record, place_for(element.id, record));
    if (handle == 0) {
      fatal_error(std::string("LoadStartWindow: no builder for a ") + form::kind_name(kind));
    }
    const LiveControl& c =
        controls_.emplace(element.id, initial_state(kind, handle, record)).first->second;
    if (kind == abi::kind::Timer && c.interval_ms > 0) {
      backend_.set_timer(handle, c.interval_ms);
    }
    return c;
  }

 private:
  Place place_for(uint32_t id, const form::ControlRecord& record) {
    if (record.parent == 0) {
      return {};
    }
    const form::Element& parent = parent_of(form_, record);
    const LiveControl& container = build(parent);
    if (container.kind != abi::kind::TabControl) {
      return {container.handle, -1};
    }
    return {container.handle, page_in(record_of(parent), id)};
  }

  const form::Form& form_;
  Backend& backend_;
  Controls& controls_;
};

// An entry of the bar opens a list when the next menu element is an item of
// level 1; the items that follow go into that list.
void add_menu(const form::Form& form, Backend& backend) {
  const auto& els = form.elements;
  for (size_t i = 0; i < els.size(); ++i) {
    const auto* item = std::get_if<form::MenuItemRecord>(&els[i].record);
    if (item == nullptr) {
      continue;
    }
    if (item->level != 0) {
      backend.add_menu(els[i].id, *item, MenuSlot::ListItem);
      continue;
    }
    const form::MenuItemRecord* next = nullptr;
    for (size_t j = i + 1; j < els.size() && next == nullptr; ++j) {
      next = std::get_if<form::MenuItemRecord>(&els[j].record);
    }
    const bool opens_list = next != nullptr && next->level == 1;
    backend.add_menu(els[i].id, *item, opens_list ? MenuSlot::BarList : MenuSlot::BarCommand);
  }
}

// Group boxes draw under the controls that lie in their area without being
// their children (and so take no clicks meant for those controls).
void lower_group_boxes(const form::Form& form, Backend& backend, const Controls& controls) {
  for (const form::Element& e : form.elements) {
    const auto it = controls.find(e.id);
    if (it != controls.end() && it->second.kind == abi::kind::GroupBox) {
      backend.lower(it->second.handle);
    }
  }
}

// Shown when the window opens: visible itself, and inside a shown container
// on the tab control's first page.
bool shown_at_start(const form::Form& form, const form::ControlRecord& record, uint32_t id) {
  if (!(record.state_flags & form::state::Visible)) {
    return false;
  }
  if (record.parent == 0) {
    return true;
  }
  const form::Element& parent = parent_of(form, record);
  const form::ControlRecord& container = record_of(parent);
  if (std::holds_alternative<form::TabControlProps>(container.properties) &&
      page_in(container, id) > 0) {
    return false;
  }
  return shown_at_start(form, container, parent.id);
}

bool enabled_at_start(const form::Form& form, const form::ControlRecord& record) {
  if (record.state_flags & form::state::Disabled) {
    return false;
  }
  return record.parent == 0 || enabled_at_start(form, record_of(parent_of(form, record)));
}

Handle handle_of(const Controls& controls, uint32_t id) {
  const auto it = controls.find(id);
  return it == controls.end() ? 0 : it->second.handle;
}

// Tab visits the controls that take the Tab key in the order of the input
// plan. The start focus goes to the first of them in the form's order that
// is shown and enabled and has no got-focus handler, so nothing runs before
// the user acts.
FocusPlan focus_plan(const form::Form& form, const Controls& controls) {
  FocusPlan plan;
  std::vector<std::pair<size_t, Handle>> ranked;
  for (const form::Element& e : form.elements) {
    const auto it = controls.find(e.id);
    if (e.id == form.elements[0].id || it == controls.end() ||
        it->second.kind == abi::kind::Timer) {
      continue;
    }
    const form::ControlRecord& record = record_of(e);
    if (!(record.state_flags & form::state::TabStop)) {
      continue;
    }
    ranked.emplace_back(tab_rank(record), it->second.handle);
    if (plan.start == 0 && shown_at_start(form, record, e.id) && enabled_at_start(form, record) &&
        !handler_for(record, abi::event::GotFocus)) {
      plan.start = it->second.handle;
    }
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [rank, handle] : ranked) {
    plan.tab_order.push_back(handle);
  }
  for (const auto& [edit, button] : enter_clicks(form)) {
    const Handle e = handle_of(controls, edit);
    const Handle b = handle_of(controls, button);
    if (e != 0 && b != 0) {
      plan.enter_clicks.emplace_back(e, b);
    }
  }
  plan.help_item = help_item(form);
  return plan;
}

// Every control a screen reader can name gets its name.
void name_controls(const form::Form& form, Backend& backend, const Controls& controls) {
  for (const form::Element& e : form.elements) {
    const Handle handle = handle_of(controls, e.id);
    if (handle == 0 || e.id == form.elements[0].id) {
      continue;
    }
    if (const std::string name = accessible_name(form, record_of(e)); !name.empty()) {
      backend.set_accessible_name(handle, name);
    }
  }
}

}  // namespace

FocusPlan build_window(const form::Form& form, Backend& backend, Controls& controls) {
  const form::Element& window = form.elements[0];
  controls[window.id] = {.kind = abi::kind::Window,
                         .handle = backend.create_window(window.id, record_of(window))};
  add_menu(form, backend);
  Builder builder(form, backend, controls);
  for (const form::Element& e : form.elements) {
    if (e.id != window.id && std::holds_alternative<form::ControlRecord>(e.record)) {
      builder.build(e);
    }
  }
  lower_group_boxes(form, backend, controls);
  name_controls(form, backend, controls);
  return focus_plan(form, controls);
}

}  // namespace core::window
