// The start sequence and the global clean-up, as the runtime and each other
// call them.
#pragma once

#include <cstdint>

extern "C" {
void ProgramEntry();
void InitGlobals();
int32_t StartRoutine();
void UserStartup();
void ReleaseGlobals();
}
