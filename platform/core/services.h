// The runtime's one service table, composed from its parts: memory, errors
// and core commands, the window and its properties, the support libraries,
// declared functions and the program's life cycle.
#pragma once

#include "runtime/abi.h"

namespace core {

const abi::ServiceTable& services();

}  // namespace core
