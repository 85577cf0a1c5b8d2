// The QApplication the window needs. A host that made its own (a test) keeps
// it; otherwise this module makes one and destroys it at shut-down.
#pragma once

namespace core::window {

// Without a display to show the window on, a fatal internal fault that says so.
void ensure_application();

void destroy_owned_application();

}  // namespace core::window
