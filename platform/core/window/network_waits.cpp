#include "platform/core/window/network_waits.h"

#include "platform/core/binding/network_wait.h"
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
  });
}

void disconnect_network_waits() {
  binding::set_wait_hooks({});
}

}  // namespace core::window
