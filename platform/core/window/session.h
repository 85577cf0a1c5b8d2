// The window module's state: the attached form, the live window and its
// controls by id, and the delivery of events to the program's routines.
#pragma once

#include <QEventLoop>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>
#include <unordered_map>

#include "image/form/form_types.h"
#include "platform/core/window/window_api.h"

namespace core::window {

// The window that ends the message loop when it closes.
class MainWindow : public QMainWindow {
 public:
  std::function<void()> on_closed;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

struct LiveControl {
  uint32_t kind = 0;
  QPointer<QWidget> widget;  // null for a timer
  QPointer<QTimer> timer;    // timers only
};

struct Session {
  std::optional<form::Form> form;
  RoutineInvoker invoke;
  QPointer<MainWindow> window;
  std::unordered_map<uint32_t, LiveControl> controls;
  std::set<uint32_t> running;  // code offsets of the handlers now running
  bool closed = false;
  QEventLoop* loop = nullptr;  // the message loop while it runs
};

Session& session();

// Runs the handler at this code offset, unless that handler is already
// running (a second click while it waits for the network): that start is
// dropped.
void fire(uint32_t code_offset);

// The control with this id, checked against the window id; an unknown id is
// a fatal internal fault naming `what` (the operation).
LiveControl& control_for(const char* what, uint32_t window, uint32_t control);

}  // namespace core::window
