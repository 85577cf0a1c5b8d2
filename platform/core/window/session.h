// The window module's state: the attached form, the backend that shows it,
// what the program wrote to each control, and the delivery of events to the
// program's routines.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

#include "image/form/form_types.h"
#include "platform/core/window/backend.h"
#include "platform/core/window/window_api.h"

namespace core::window {

// One control as the logic keeps it. What the user can change (an edit box's
// text, the current page) is read from the backend instead.
struct LiveControl {
  uint32_t kind = 0;
  Handle handle = 0;
  std::string text;  // a label's caption, a browser's or a hyperlink box's address (GBK)
  form::Bytes picture;
  int32_t interval_ms = 0;  // 0: the timer is stopped
  bool disabled = false;
  int page_count = 0;
};

struct Session {
  std::optional<form::Form> form;
  RoutineInvoker invoke;
  std::unique_ptr<Backend> backend;  // set while the window is loaded
  std::unordered_map<uint32_t, LiveControl> controls;
  std::set<uint32_t> running;  // code offsets of the handlers now running
  bool closed = false;
};

Session& session();

// Runs the handler at this code offset, unless that handler is already
// running (a second click while it waits for the network): that start is
// dropped.
void fire(uint32_t code_offset);

// The code offset bound to this event of the control, if any.
std::optional<uint32_t> handler_for(const form::ControlRecord& record, int32_t event);

// The control with this id, checked against the window id; an unknown id is
// a fatal internal fault naming `what` (the operation).
LiveControl& control_for(const char* what, uint32_t window, uint32_t control);

}  // namespace core::window
