// Placeholder handlers: bound by the form, their flows are not written yet.
#include "client/handlers.h"

extern "C" void WatchdogTick() {}
extern "C" void RequestVoiceCode() {}
extern "C" void SubmitRegistration() {}
extern "C" void OnVoiceCodeGotFocus() {}
