#include "platform/core/window/session.h"

#include <string>

#include "image/form/form_reader.h"
#include "platform/console/hex_text.h"
#include "platform/core/errors/errors.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

std::optional<uint32_t> handler_of(const form::Element& element, int32_t event) {
  if (const auto* item = std::get_if<form::MenuItemRecord>(&element.record)) {
    return item->handler != form::kNoHandler ? std::optional(item->handler) : std::nullopt;
  }
  return handler_for(std::get<form::ControlRecord>(element.record), event);
}

}  // namespace

Session& session() {
  static Session s;
  return s;
}

void fire(uint32_t code_offset) {
  Session& s = session();
  if (!s.invoke || !s.running.insert(code_offset).second) {
    return;
  }
  s.invoke(code_offset);
  s.running.erase(code_offset);
}

std::optional<uint32_t> handler_for(const form::ControlRecord& record, int32_t event) {
  for (const form::EventBinding& b : record.events) {
    if (b.event == event) {
      return b.code_offset;
    }
  }
  return std::nullopt;
}

void deliver(uint32_t element_id, int32_t event, FocusCause cause) {
  const Session& s = session();
  if (!s.form || (event == abi::event::GotFocus && cause == FocusCause::Return)) {
    return;
  }
  const form::Element* element = form::find_element(*s.form, element_id);
  if (element == nullptr) {
    return;
  }
  if (const auto code = handler_of(*element, event)) {
    fire(*code);
  }
}

void window_closed() {
  Session& s = session();
  s.closed = true;
  if (s.backend) {
    s.backend->wake();
  }
}

LiveControl& control_for(const char* what, uint32_t window, uint32_t control) {
  Session& s = session();
  if (!s.backend) {
    fatal_error(std::string(what) + ": no window is loaded");
  }
  if (window != s.form->window_id) {
    fatal_error(std::string(what) + ": no window " + console::hex_text(window));
  }
  const auto it = s.controls.find(control);
  if (it == s.controls.end()) {
    fatal_error(std::string(what) + ": window " + console::hex_text(window) + " has no control " +
                console::hex_text(control));
  }
  return it->second;
}

}  // namespace core::window
