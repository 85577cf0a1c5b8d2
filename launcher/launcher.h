// The program file's start: find the runtime core library, ask it for its
// entry and hand that entry the program image.
#pragma once

// Runs the program from `image`. Returns -1 after showing why the runtime
// could not be started; when the runtime's entry returns, the process ends
// with exit code 0 instead.
int run_launcher(void* image);
