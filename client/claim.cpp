// Placeholder handlers: bound by the form, their flows are not written yet.
#include "client/handlers.h"

extern "C" void ClaimAndShowBalance() {}
extern "C" void ClaimFromMenu() {}
