// On Windows the launcher calls the system's own kernel32: this header stands in
// for the Linux stand-in's of the same path (see launcher/CMakeLists.txt).
#pragma once

#include <windows.h>
