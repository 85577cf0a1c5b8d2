// The QApplication the window needs. A host that made its own (a test) keeps
// it; otherwise this module makes one and destroys it at shut-down.
#pragma once

namespace core::window {

// Without a display to show the window on, a fatal internal fault that says so.
void ensure_application();

void destroy_owned_application();

// Status of a process whose display went away under it.
inline constexpr int kDisplayLostStatus = 6;

// When the window system gives up on a lost display it ends the process with
// exit() from inside the event loop. While the QApplication this module made
// still lives, such an exit is that loss: one line on stderr and the process
// ends with kDisplayLostStatus, before any exit handler could destroy what the
// running loop still uses. Called as the application is made and again as
// the message loop starts, so that it runs before the exit handlers of what
// was loaded in between.
void end_quietly_if_display_lost();

}  // namespace core::window
