#include "image/form/structure_check.h"

#include <algorithm>
#include <unordered_map>

#include "image/form/form_kinds.h"
#include "platform/console/hex_text.h"
#include "runtime/abi.h"

namespace form {
namespace {

class Checker {
 public:
  explicit Checker(const Form& form) : form_(form) {
    for (size_t i = 0; i < form.elements.size(); ++i) {
      index_.emplace(form.elements[i].id, i);
    }
  }

  std::string run() {
    std::string problem = check_ids();
    for (size_t i = 0; problem.empty() && i < form_.elements.size(); ++i) {
      if (const auto* c = std::get_if<ControlRecord>(&form_.elements[i].record)) {
        problem = check_control(i, *c);
      } else {
        problem = check_menu_item(i, std::get<MenuItemRecord>(form_.elements[i].record));
      }
    }
    return problem;
  }

 private:
  std::string label(size_t i) const {
    const Element& e = form_.elements[i];
    return "element " + std::to_string(i) + " (id " + console::hex_text(e.id) + ", " +
           kind_name(kind_code(e)) + ")";
  }

  const ControlRecord* control(uint32_t id) const {
    const auto it = index_.find(id);
    return it == index_.end() ? nullptr
                              : std::get_if<ControlRecord>(&form_.elements[it->second].record);
  }

  std::string check_ids() const {
    if (kind_code(form_.elements.front()) != abi::kind::Window) {
      return label(0) + ": the first element must be the window";
    }
    for (size_t i = 0; i < form_.elements.size(); ++i) {
      const Element& e = form_.elements[i];
      if (e.id == 0) {
        return label(i) + ": id 0 is reserved for the page separator";
      }
      if (index_.at(e.id) != i) {
        return label(i) + ": id already used by element " + std::to_string(index_.at(e.id));
      }
      if (i > 0 && kind_code(e) == abi::kind::Window) {
        return label(i) + ": a form holds one window, already given by element 0";
      }
    }
    return {};
  }

  std::string check_control(size_t i, const ControlRecord& c) const {
    if (c.geometry.width < 0 || c.geometry.height < 0) {
      return label(i) + ": negative size " + std::to_string(c.geometry.width) + " x " +
             std::to_string(c.geometry.height);
    }
    if (std::string p = check_parent(i, c); !p.empty()) {
      return p;
    }
    return check_children(i, c);
  }

  std::string check_parent(size_t i, const ControlRecord& c) const {
    if (c.parent == 0) {
      return {};
    }
    const ControlRecord* parent = control(c.parent);
    if (i == 0 || !parent || !is_container_kind(kind_code(parent->properties))) {
      return label(i) + ": parent " + console::hex_text(c.parent) +
             " is not a group box or tab control";
    }
    // Every control is listed by its parent, so following parents visits each
    // container at most once unless they form a loop.
    uint32_t up = c.parent;
    for (size_t steps = 0; up != 0; ++steps) {
      if (steps > form_.elements.size()) {
        return label(i) + ": its parents form a loop";
      }
      const ControlRecord* above = control(up);
      if (!above) {
        return label(i) + ": its parents lead to " + console::hex_text(up) +
               ", which is no control";
      }
      up = above->parent;
    }
    const auto& siblings = parent->children;
    if (std::count(siblings.begin(), siblings.end(), form_.elements[i].id) != 1) {
      return label(i) + ": parent " + console::hex_text(c.parent) +
             " does not list it exactly once";
    }
    return {};
  }

  std::string check_children(size_t i, const ControlRecord& c) const {
    const uint32_t kind = kind_code(c.properties);
    if (!is_container_kind(kind)) {
      return c.children.empty() ? std::string()
                                : label(i) + ": only group boxes and tab controls list children";
    }
    size_t separators = 0;
    for (uint32_t child : c.children) {
      if (child == 0 && kind == abi::kind::TabControl) {
        ++separators;
        continue;
      }
      const ControlRecord* rec = control(child);
      if (!rec || rec->parent != form_.elements[i].id || index_.at(child) == 0) {
        return label(i) + ": child " + console::hex_text(child) +
               " is not a control whose parent it is";
      }
    }
    if (const auto* tab = std::get_if<TabControlProps>(&c.properties)) {
      const size_t pages = tab->page_captions.size();
      if (pages == 0 || separators != pages - 1) {
        return label(i) + ": " + std::to_string(separators + 1) + " page lists for " +
               std::to_string(pages) + " page captions";
      }
    }
    return {};
  }

  std::string check_menu_item(size_t i, const MenuItemRecord& m) {
    if (m.level > 1) {
      return label(i) + ": menu level " + std::to_string(m.level) + " (expected 0 or 1)";
    }
    if (m.level == 1 && !seen_menu_entry_) {
      return label(i) + ": a drop-down item comes before any menu bar entry";
    }
    seen_menu_entry_ = seen_menu_entry_ || m.level == 0;
    return {};
  }

  const Form& form_;
  std::unordered_map<uint32_t, size_t> index_;
  bool seen_menu_entry_ = false;
};

}  // namespace

std::string check_structure(const Form& form) {
  return Checker(form).run();
}

}  // namespace form
