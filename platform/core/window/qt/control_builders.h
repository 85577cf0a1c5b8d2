// One creation function per control kind, chosen through a table by kind
// code. Each places its widget, applies the stored look and state, and wires
// the kind's events to the window logic's deliver().
#pragma once

#include <QFont>
#include <QObject>
#include <QWidget>

#include "image/form/form_types.h"

namespace core::window {

struct BuildContext {
  uint32_t id;
  const form::ControlRecord& record;
  QWidget* parent;  // the window's client area, a group box or a tab page
  QObject* owner;   // owns the controls that are no widgets (timers)
  QFont window_font;
};

// The new widget, or the timer.
using BuildFn = QObject* (*)(const BuildContext&);

// Null for the window and for kinds no builder knows.
BuildFn builder_for(uint32_t kind_code);

}  // namespace core::window
