#include "platform/core/window/window_api.h"

#include <string>

#include "image/form/form_reader.h"
#include "platform/console/hex_text.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/build_plan.h"
#include "platform/core/window/network_waits.h"
#include "platform/core/window/session.h"

namespace core::window {

void attach_form(std::span<const uint8_t> form_section, RoutineInvoker invoke) {
  form::FormResult result = form::validate_form(form_section);
  if (!result.ok()) {
    fatal_error("form description: " + result.error);
  }
  Session& s = session();
  s.form = std::move(result.form);
  s.invoke = std::move(invoke);
}

uint32_t load_window(uint32_t window_id, const BackendFactory& make) {
  Session& s = session();
  if (!s.form || s.form->window_id != window_id) {
    const std::string id = console::hex_text(window_id);
    fatal_error(std::string("LoadStartWindow: the form holds no window ") + id);
  }
  if (s.backend) {
    fatal_error("LoadStartWindow: the start window is already loaded");
  }
  s.closed = false;
  s.backend = make();
  connect_network_waits();
  const FocusPlan plan = build_window(*s.form, *s.backend, s.controls);
  s.backend->show(plan);
  const auto& record = std::get<form::ControlRecord>(s.form->elements[0].record);
  if (const auto created = handler_for(record, abi::event::Created)) {
    fire(*created);
  }
  return window_id;
}

void run_message_loop() {
  Session& s = session();
  if (!s.backend || s.closed) {
    return;
  }
  s.backend->run_until([] { return session().closed; });
}

void shut_down() {
  Session& s = session();
  disconnect_network_waits();
  s.controls.clear();
  s.backend.reset();
  s.running.clear();
  s.closed = false;
  s.form.reset();
  s.invoke = nullptr;
}

}  // namespace core::window
