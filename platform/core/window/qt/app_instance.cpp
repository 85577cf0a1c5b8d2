#include "platform/core/window/qt/app_instance.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/errors/errors.h"

namespace core::window {
namespace {

// QApplication keeps argc and argv for its lifetime: the program's own name
// as it was started, no further arguments (the program reads none).
struct Arguments {
  std::string name = *program_invocation_name != '\0' ? program_invocation_name : "lanyinbao";
  char* argv[2] = {name.data(), nullptr};
  int argc = 1;
};

// Owned through a plain pointer: never destroyed by an exit handler while
// the event loop may still be running, only by destroy_owned_application().
struct OwnedApplication {
  Arguments arguments;
  QApplication application{arguments.argc, arguments.argv};
};
OwnedApplication* g_owned = nullptr;

void on_exit() {
  if (g_owned != nullptr) {
    std::fputs("krnln: the connection to the display was lost\n", stderr);
    std::fflush(stderr);
    std::_Exit(kDisplayLostStatus);
  }
}

bool has_display() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) {
      return true;
    }
  }
  return false;
}

}  // namespace

void ensure_application() {
  if (QCoreApplication::instance()) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
      fatal_error("LoadStartWindow: the process runs a non-GUI Qt application");
    }
    QApplication::setQuitOnLastWindowClosed(false);
    return;
  }
  if (!has_display()) {
    fatal_error("LoadStartWindow: no display to show the window on (DISPLAY is not set)");
  }
  g_owned = new OwnedApplication;
  end_quietly_if_display_lost();
  // Only closing the start window ends the program; Qt's own rule would also
  // end every running event loop when the last window closes.
  QApplication::setQuitOnLastWindowClosed(false);
}

void destroy_owned_application() {
  delete g_owned;
  g_owned = nullptr;
}

void end_quietly_if_display_lost() {
  if (g_owned != nullptr) {
    std::atexit(&on_exit);
  }
}

}  // namespace core::window
