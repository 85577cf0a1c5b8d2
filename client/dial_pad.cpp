// Placeholder handlers: bound by the form, their flows are not written yet.
#include "client/handlers.h"

extern "C" void OnKey0Clicked() {}
extern "C" void OnKey1Clicked() {}
extern "C" void OnKey2Clicked() {}
extern "C" void OnKey3Clicked() {}
extern "C" void OnKey4Clicked() {}
extern "C" void OnKey5Clicked() {}
extern "C" void OnKey6Clicked() {}
extern "C" void OnKey7Clicked() {}
extern "C" void OnKey8Clicked() {}
extern "C" void OnKey9Clicked() {}
extern "C" void OnClearClicked() {}
extern "C" void OnDialClicked() {}
