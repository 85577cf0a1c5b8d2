// The program's window keys under real keystrokes: Enter in each edit box
// clicks its button, Enter on a focused button clicks it, F1 chooses the
// registration help, and keys the window gives no meaning run nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32_test {

// `ran` collects the code offsets of the routines the window runs.
void main_window_key_checks(HWND window, std::vector<uint32_t>& ran);

}  // namespace win32_test
