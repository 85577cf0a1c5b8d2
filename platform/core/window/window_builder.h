// Builds the window of a validated form: the frame, the menu bar and every
// control, registering each in the session under its id.
#pragma once

#include "image/form/form_types.h"
#include "platform/core/window/session.h"

namespace core::window {

// The original frame around the client area: 6-pixel borders left and right,
// title bar, one menu line and borders top and bottom taking 48 pixels.
inline constexpr int kFrameWidth = 12;
inline constexpr int kFrameHeight = 48;

MainWindow* build_window(const form::Form& form);

}  // namespace core::window
