// Names that screen readers and UI automation read for a control, set through
// the system's accessibility annotation service: an edit box is otherwise
// known only by its content.
#pragma once

#include <windows.h>

#include <string_view>

namespace core::window {

class AccessibleNames {
 public:
  AccessibleNames();
  ~AccessibleNames();
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  // Does nothing where the service is not there (older systems, Wine).
  void set(HWND control, std::string_view gbk_name);

 private:
  struct Service;
  Service* service_ = nullptr;
  bool com_started_ = false;
};

}  // namespace core::window
