#include "platform/core/window/network_waits.h"

#include "platform/core/binding/network_wait.h"
#include "platform/core/binding/runtime_help.h"
#include "platform/core/window/session.h"

namespace core::window {

void connect_network_waits() {
  binding::set_wait_hooks({
      .handle_events =
          [] {
            if (Backend* backend = session().backend.get()) {
              backend->process_events();
            }
          },
      .set_busy =
          [](bool busy) {
            if (Backend* backend = session().backend.get()) {
              backend->set_busy(busy);
            }
          },
      // Closing the start window ends the program: what waits is cancelled
      // so the handlers can return to the message loop and the clean-up.
      .ending = [] { return session().closed; },
      // A call its cancel does not end holds its handler's frame: the
      // program ends from inside the wait, with the status of a normal end.
      .end_now = [] { binding::exit_program(0); },
  });
}

void disconnect_network_waits() {
  binding::set_wait_hooks({});
}

}  // namespace core::window
