// The program file's process entry.
#include "launcher/launcher.h"
#include "platform/winapi/kernel32/kernel32.h"

// The program image, from the image library (or a test image).
extern "C" unsigned char lanyinbao_image[];

int main() {
  ExitProcess(static_cast<UINT>(run_launcher(lanyinbao_image)));
}
