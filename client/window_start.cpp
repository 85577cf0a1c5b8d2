// Placeholder handlers: bound by the form, their flows are not written yet.
#include "client/handlers.h"

extern "C" void OnWindowCreated() {}
extern "C" void OnRegisterMobileGotFocus() {}
extern "C" void OnLoginMobileGotFocus() {}
