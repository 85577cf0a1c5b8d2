// One creation function per control kind, chosen through a table by kind
// code. Each places its widget, applies the stored look and state, and wires
// the kind's events to the bound routines.
#pragma once

#include <QFont>
#include <QWidget>

#include <optional>

#include "image/form/form_types.h"
#include "platform/core/window/session.h"

namespace core::window {

struct BuildContext {
  uint32_t id;
  const form::ControlRecord& record;
  QWidget* parent;  // the window's client area, a group box or a tab page
  QObject* owner;   // owns the controls that are no widgets (timers)
  QFont window_font;
};

using BuildFn = LiveControl (*)(const BuildContext&);

// Null for the window and for kinds no builder knows.
BuildFn builder_for(uint32_t kind_code);

// The code offset bound to this event of the control, if any.
std::optional<uint32_t> handler_for(const form::ControlRecord& record, int32_t event);

}  // namespace core::window
