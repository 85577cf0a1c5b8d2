// While the program waits on the network the window keeps handling its
// events and shows the busy cursor; closing the window cuts the waits short.
#pragma once

namespace core::window {

// Connects the declared calls' waits to the loaded window's backend.
void connect_network_waits();
void disconnect_network_waits();

}  // namespace core::window
