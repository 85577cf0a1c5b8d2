// Enumeration and inspection of the process's top-level windows.
#include <unistd.h>

#include <QString>
#include <QWidget>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/gbk/gbk_text.h"
#include "platform/winapi/base/last_error.h"
#include "platform/winapi/user32/user32.h"
#include "platform/winapi/user32/window_handles.h"

namespace {

QWidget* live_window(HWND handle, DWORD* thread_id = nullptr) {
  QWidget* window = winapi::user32::window_of(handle, thread_id);
  if (window == nullptr) {
    winapi::set_last_error(ERROR_INVALID_WINDOW_HANDLE);
  }
  return window;
}

// Copies at most `capacity - 1` bytes and terminates, never splitting a GBK
// double-byte character. Returns the bytes copied.
int copy_gbk(std::string_view text, LPSTR out, int capacity) {
  const auto limit = static_cast<size_t>(capacity - 1);
  size_t length = 0;
  while (length < text.size()) {
    const auto byte = static_cast<unsigned char>(text[length]);
    const size_t width = (byte >= 0x81 && byte <= 0xFE && length + 1 < text.size()) ? 2 : 1;
    if (length + width > limit) {
      break;
    }
    length += width;
  }
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace

extern "C" {

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  if (lpEnumFunc == nullptr) {
    winapi::set_last_error(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // A snapshot: the callback may close windows; their handles then fail.
  for (HWND window : winapi::user32::top_level_windows()) {
    if (lpEnumFunc(window, lParam) == 0) {
      return 0;
    }
  }
  return 1;
}

BOOL IsWindowVisible(HWND hWnd) {
  QWidget* window = winapi::user32::window_of(hWnd);
  return window != nullptr && window->isVisible() ? 1 : 0;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  DWORD thread_id = 0;
  if (live_window(hWnd, &thread_id) == nullptr) {
    return 0;
  }
  if (lpdwProcessId != nullptr) {
    *lpdwProcessId = static_cast<DWORD>(::getpid());
  }
  return thread_id;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (lpString == nullptr || nMaxCount <= 0) {
    return 0;
  }
  lpString[0] = '\0';
  QWidget* window = live_window(hWnd);
  if (window == nullptr) {
    return 0;
  }
  return copy_gbk(gbk::from_qstring(window->windowTitle()), lpString, nMaxCount);
}

// The class is the widget's own C++ class ("QMainWindow", "QMessageBox", or
// the runtime's subclass), which tells window kinds apart as Windows' window
// classes do.
int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  if (lpClassName == nullptr || nMaxCount <= 0) {
    return 0;
  }
  lpClassName[0] = '\0';
  QWidget* window = live_window(hWnd);
  if (window == nullptr) {
    return 0;
  }
  return copy_gbk(window->metaObject()->className(), lpClassName, nMaxCount);
}

}  // extern "C"
