#include "platform/core/window/window_api.h"

#include <cstdio>
#include <string>

#include "image/form/form_reader.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/app_instance.h"
#include "platform/core/window/control_builders.h"
#include "platform/core/window/session.h"
#include "platform/core/window/window_builder.h"

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

uint32_t load_start_window(uint32_t window_id) {
  Session& s = session();
  if (!s.form || s.form->window_id != window_id) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%x", window_id);
    fatal_error(std::string("LoadStartWindow: the form holds no window ") + id);
  }
  if (s.window) {
    fatal_error("LoadStartWindow: the start window is already loaded");
  }
  ensure_application();
  s.closed = false;
  s.window = build_window(*s.form);
  s.window->on_closed = [] {
    Session& s = session();
    s.closed = true;
    if (s.loop) {
      s.loop->quit();
    }
  };
  s.window->show();
  const auto& record = std::get<form::ControlRecord>(s.form->elements[0].record);
  if (const auto created = handler_for(record, abi::event::Created)) {
    fire(*created);
  }
  return window_id;
}

void run_message_loop() {
  Session& s = session();
  if (!s.window || s.closed) {
    return;
  }
  QEventLoop loop;
  s.loop = &loop;
  loop.exec();
  s.loop = nullptr;
}

void shut_down() {
  Session& s = session();
  delete s.window.data();
  s.controls.clear();
  s.running.clear();
  s.closed = false;
  s.form.reset();
  s.invoke = nullptr;
  destroy_owned_application();
}

}  // namespace core::window
