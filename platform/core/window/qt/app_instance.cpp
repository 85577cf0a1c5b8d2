#include "platform/core/window/qt/app_instance.h"

#include <QApplication>

#include <cerrno>
#include <cstdlib>
#include <memory>
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

std::unique_ptr<Arguments> g_arguments;
std::unique_ptr<QApplication> g_application;

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
  g_arguments = std::make_unique<Arguments>();
  g_application = std::make_unique<QApplication>(g_arguments->argc, g_arguments->argv);
  // Only closing the start window ends the program; Qt's own rule would also
  // end every running event loop when the last window closes.
  QApplication::setQuitOnLastWindowClosed(false);
}

void destroy_owned_application() {
  g_application.reset();
  g_arguments.reset();
}

}  // namespace core::window
