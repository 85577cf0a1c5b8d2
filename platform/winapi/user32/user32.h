// user32 stand-ins over Qt Widgets: message boxes and the process's own
// top-level windows. Texts are GBK, as the ANSI functions take and give them.
//
// MessageBoxA shows a Qt message box when it can, and otherwise prints
// "[title] text" (UTF-8) on stderr and answers with the style's default
// button. It prints when WINAPI_MSGBOX=stderr, when called off the GUI
// thread, when the process has a non-GUI QCoreApplication, or when there is
// no application yet and no display: QT_QPA_PLATFORM names no usable platform
// (xcb needs DISPLAY, wayland needs WAYLAND_DISPLAY; offscreen, minimal, vnc
// and the like always work) or, with QT_QPA_PLATFORM unset, neither DISPLAY
// nor WAYLAND_DISPLAY is set. Without a QApplication one is made for the box
// and removed after it.
#pragma once

#include "platform/winapi/api.h"

extern "C" {

WINAPI_API int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
WINAPI_API BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
WINAPI_API BOOL IsWindowVisible(HWND hWnd);
WINAPI_API DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
WINAPI_API int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
WINAPI_API int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount);

}  // extern "C"
