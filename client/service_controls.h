// The controls of the login, status and dial groups that only the service
// flows touch; the shared ones are in controls.h.
#pragma once

#include "client/controls.h"

namespace client {

inline constexpr rt::ControlRef k图片框1 = control(ui::id::图片框1, abi::kind::PictureBox);
inline constexpr rt::ControlRef k标签1 = control(ui::id::标签1, abi::kind::Label);
inline constexpr rt::ControlRef k标签5 = control(ui::id::标签5, abi::kind::Label);
inline constexpr rt::ControlRef k标签6 = control(ui::id::标签6, abi::kind::Label);
inline constexpr rt::ControlRef k按钮2 = control(ui::id::按钮2, abi::kind::Button);
inline constexpr rt::ControlRef k按钮14 = control(ui::id::按钮14, abi::kind::Button);

}  // namespace client
