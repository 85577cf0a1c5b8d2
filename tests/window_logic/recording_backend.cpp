#include "tests/window_logic/recording_backend.h"

#include <cstdio>

#include "runtime/abi.h"

namespace window_logic_test {

using core::window::FocusPlan;
using core::window::MenuSlot;
using core::window::Place;

std::string hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", v);
  return buf;
}

// Handles are numbered apart from the ids, so a logic that mixed the two up
// would name the wrong control.
RecordingBackend::Handle RecordingBackend::add(uint32_t id, uint32_t kind) {
  const Handle handle = 0x1000 + made_.size() * 8;
  made_[handle] = {id, kind};
  return handle;
}

RecordingBackend::Handle RecordingBackend::handle_of(uint32_t id) const {
  for (const auto& [handle, made] : made_) {
    if (made.id == id) {
      return handle;
    }
  }
  return 0;
}

std::string RecordingBackend::name(Handle handle) const {
  if (handle == 0) {
    return "client";
  }
  const auto it = made_.find(handle);
  return it == made_.end() ? "unknown handle" : hex(it->second.id);
}

RecordingBackend::Handle RecordingBackend::create_window(uint32_t id, const form::ControlRecord&) {
  log.push_back("window " + hex(id));
  window_ = add(id, abi::kind::Window);
  return window_;
}

void RecordingBackend::add_menu(uint32_t id, const form::MenuItemRecord& item, MenuSlot slot) {
  const char* where = slot == MenuSlot::BarList      ? "bar list"
                      : slot == MenuSlot::BarCommand ? "bar command"
                                                     : "list item";
  log.push_back("menu " + hex(id) + " " + item.caption + " as " + where);
}

RecordingBackend::Handle RecordingBackend::create(uint32_t id, const form::ControlRecord& record,
                                                  Place place) {
  const uint32_t kind = form::kind_code(record.properties);
  if (kind == refused_kind) {
    return 0;
  }
  log.push_back("create " + hex(id) + " in " + name(place.container) +
                (place.page >= 0 ? " page " + std::to_string(place.page) : ""));
  const Handle handle = add(id, kind);
  if (kind == abi::kind::TabControl) {
    pages_[handle] = 0;
  }
  return handle;
}

void RecordingBackend::lower(Handle control) {
  log.push_back("lower " + name(control));
}

void RecordingBackend::set_accessible_name(Handle control, std::string_view gbk_name) {
  accessible_names[made_.at(control).id] = gbk_name;
}

void RecordingBackend::show(const FocusPlan& plan) {
  std::string order;
  for (Handle h : plan.tab_order) {
    order += (order.empty() ? "" : ",") + name(h);
  }
  std::string keys;
  for (const auto& [edit, button] : plan.enter_clicks) {
    keys += (keys.empty() ? " enter " : ",") + name(edit) + ">" + name(button);
  }
  if (plan.help_item != 0) {
    keys += " help " + hex(plan.help_item);
  }
  log.push_back("show tab " + order + " start " + (plan.start ? name(plan.start) : "none") + keys);
}

void RecordingBackend::run_until(const std::function<bool()>& done) {
  log.push_back("run");
  if (while_running) {
    while_running();
  }
  log.push_back(done() ? "run ends" : "run ends without close");
}

void RecordingBackend::wake() {
  log.push_back("wake");
}

void RecordingBackend::process_events() {
  log.push_back("process events");
}

void RecordingBackend::set_busy(bool busy) {
  log.push_back(busy ? "busy" : "not busy");
}

void RecordingBackend::close_window() {
  log.push_back("close");
  core::window::window_closed();
}

std::string RecordingBackend::text(Handle edit_box) const {
  const auto it = edit_texts.find(made_.at(edit_box).id);
  return it == edit_texts.end() ? std::string() : it->second;
}

void RecordingBackend::set_text(Handle control, std::string_view gbk_text) {
  log.push_back("text " + name(control) + " " + std::string(gbk_text));
  if (made_.at(control).kind == abi::kind::EditBox) {
    edit_texts[made_.at(control).id] = gbk_text;
  }
}

void RecordingBackend::set_enabled(Handle control, bool enabled) {
  log.push_back((enabled ? "enable " : "disable ") + name(control));
}

void RecordingBackend::set_picture(Handle picture_box, std::span<const uint8_t> bmp_file) {
  log.push_back("picture " + name(picture_box) + " " + std::to_string(bmp_file.size()) + " bytes");
}

void RecordingBackend::set_html(Handle browser, std::string_view gbk_address) {
  log.push_back("html " + name(browser) + " " + std::string(gbk_address));
}

int RecordingBackend::page(Handle tab_control) const {
  return pages_.at(tab_control);
}

void RecordingBackend::set_page(Handle tab_control, int page) {
  log.push_back("page " + name(tab_control) + " " + std::to_string(page));
  pages_.at(tab_control) = page;
}

void RecordingBackend::set_timer(Handle timer, int32_t interval_ms) {
  log.push_back("timer " + name(timer) + " " + std::to_string(interval_ms));
}

// A focus move the program asks for comes back as a visit, as on a screen.
void RecordingBackend::set_focus(Handle control) {
  log.push_back("focus " + name(control));
  if (made_.at(control).kind == abi::kind::EditBox) {
    core::window::deliver(made_.at(control).id, abi::event::GotFocus,
                          core::window::FocusCause::Visit);
  }
}

bool RecordingBackend::can_show_message() const {
  return boxes_possible;
}

void RecordingBackend::message_box(std::string_view gbk_title, std::string_view gbk_text) {
  log.push_back("box [" + std::string(gbk_title) + "] " + std::string(gbk_text));
}

}  // namespace window_logic_test
