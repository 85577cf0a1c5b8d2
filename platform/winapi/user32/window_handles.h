// Window handles: opaque numbers for the process's top-level Qt windows.
// A handle is given the first time a window is seen and is never reused; the
// handle of a destroyed window is invalid. Windows are seen when they are
// created (an application-wide watcher is installed when the QApplication
// starts), so handle order is creation order. Windows made before this
// library was loaded are taken in when they are first enumerated.
//
// Like every widget call, these run on the GUI thread.
#pragma once

#include <vector>

#include "platform/winapi/base/windows_types.h"

class QWidget;

namespace winapi::user32 {

HWND handle_of(QWidget* window);

// The live top-level window behind a handle, or null; `thread_id` receives
// the thread that the window was first seen on.
QWidget* window_of(HWND handle, DWORD* thread_id = nullptr);

// Every live top-level window, hidden ones too, in creation order.
std::vector<HWND> top_level_windows();

}  // namespace winapi::user32
