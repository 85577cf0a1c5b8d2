#include "platform/core/window/win32/accessible_names.h"

#include <initguid.h>
#include <objbase.h>
#include <oleacc.h>

#include <string>

#include "platform/core/window/win32/look.h"

namespace core::window {

struct AccessibleNames::Service {
  IAccPropServices* properties = nullptr;
};

AccessibleNames::AccessibleNames() {
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  com_started_ = SUCCEEDED(started);
  IAccPropServices* properties = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, reinterpret_cast<void**>(&properties)))) {
    service_ = new Service{properties};
  }
}

AccessibleNames::~AccessibleNames() {
  if (service_ != nullptr) {
    service_->properties->Release();
    delete service_;
  }
  if (com_started_) {
    CoUninitialize();
  }
}

void AccessibleNames::set(HWND control, std::string_view gbk_name) {
  if (service_ == nullptr || control == nullptr) {
    return;
  }
  const std::wstring name = to_wide(gbk_name);
  service_->properties->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       PROPID_ACC_NAME, name.c_str());
}

}  // namespace core::window
