// How a validated form becomes a window on any backend: the window and its
// menu first, then every control after the container that holds it, group
// boxes lowered under their siblings, and the focus plan.
#pragma once

#include <unordered_map>

#include "image/form/form_types.h"
#include "platform/core/window/backend.h"
#include "platform/core/window/session.h"

namespace core::window {

using Controls = std::unordered_map<uint32_t, LiveControl>;

// Builds every element of the form through the backend, registering each
// control under its id, and returns the focus plan for show(). A kind the
// backend cannot build is a fatal internal fault naming it.
FocusPlan build_window(const form::Form& form, Backend& backend, Controls& controls);

}  // namespace core::window
