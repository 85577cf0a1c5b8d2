// Placeholder handlers: bound by the form, their flows are not written yet.
#include "client/handlers.h"

extern "C" void OnPictureCodeGotFocus() {}
extern "C" void LogIn() {}
