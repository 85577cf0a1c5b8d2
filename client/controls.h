// The controls the handlers work on, as references, and two small steps
// several handlers share.
#pragma once

#include "runtime/abi.h"
#include "runtime/blocks.h"
#include "runtime/window_commands.h"
#include "ui/control_ids.h"

namespace client {

constexpr rt::ControlRef control(uint32_t id, uint32_t kind) {
  return {abi::kMainWindowId, id, kind};
}

inline constexpr rt::ControlRef k选择夹1 = control(ui::id::选择夹1, abi::kind::TabControl);
inline constexpr rt::ControlRef k超文本浏览框2 =
    control(ui::id::超文本浏览框2, abi::kind::HtmlBrowserBox);
inline constexpr rt::ControlRef k超文本浏览框3 =
    control(ui::id::超文本浏览框3, abi::kind::HtmlBrowserBox);
inline constexpr rt::ControlRef k编辑框1 = control(ui::id::编辑框1, abi::kind::EditBox);
inline constexpr rt::ControlRef k编辑框2 = control(ui::id::编辑框2, abi::kind::EditBox);
inline constexpr rt::ControlRef k编辑框3 = control(ui::id::编辑框3, abi::kind::EditBox);
inline constexpr rt::ControlRef k编辑框4 = control(ui::id::编辑框4, abi::kind::EditBox);
inline constexpr rt::ControlRef k拨打电话 = control(ui::id::拨打电话, abi::kind::EditBox);
inline constexpr rt::ControlRef k时钟1 = control(ui::id::时钟1, abi::kind::Timer);
inline constexpr rt::ControlRef k超级链接框1 =
    control(ui::id::超级链接框1, abi::kind::HyperlinkBox);

// Sets the edit box's content to the empty text.
void clear_edit_box(rt::ControlRef edit_box);

// The program's directory followed by `tail`, by plain concatenation.
rt::Text program_path(rt::TextView tail);

}  // namespace client
