#include "platform/core/window/session.h"

#include <QCloseEvent>

#include <cstdio>
#include <string>

#include "platform/core/errors/errors.h"

namespace core::window {
namespace {

std::string hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", v);
  return buf;
}

}  // namespace

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted() && on_closed) {
    on_closed();
  }
}

Session& session() {
  static Session s;
  return s;
}

void fire(uint32_t code_offset) {
  Session& s = session();
  if (!s.invoke || !s.running.insert(code_offset).second) {
    return;
  }
  s.invoke(code_offset);
  s.running.erase(code_offset);
}

LiveControl& control_for(const char* what, uint32_t window, uint32_t control) {
  Session& s = session();
  if (!s.window) {
    fatal_error(std::string(what) + ": no window is loaded");
  }
  if (window != s.form->window_id) {
    fatal_error(std::string(what) + ": no window " + hex(window));
  }
  const auto it = s.controls.find(control);
  if (it == s.controls.end()) {
    fatal_error(std::string(what) + ": window " + hex(window) + " has no control " + hex(control));
  }
  return it->second;
}

}  // namespace core::window
