#include "platform/core/window/win32/control_builders.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/core/window/win32/html_view.h"
#include "platform/core/window/win32/look.h"
#include "platform/core/window/win32/tab_control.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

template <class P>
const P& props(const BuildContext& ctx) {
  return std::get<P>(ctx.record.properties);
}

// Visibility, enabled state and Tab behaviour, which every control takes
// from its record alike.
DWORD state_styles(const BuildContext& ctx) {
  const uint32_t flags = ctx.record.state_flags;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (flags & form::state::Visible) {
    style |= WS_VISIBLE;
  }
  if (flags & form::state::Disabled) {
    style |= WS_DISABLED;
  }
  if (flags & form::state::TabStop) {
    style |= WS_TABSTOP;
  }
  return style;
}

RECT stored_rect(const BuildContext& ctx) {
  const form::Geometry& g = ctx.record.geometry;
  const int left = g.left - ctx.origin.x;
  const int top = g.top - ctx.origin.y;
  return {left, top, left + g.width, top + g.height};
}

// Makes the control's window at its stored place, in its own font or the
// window's.
std::unique_ptr<Control> make(const BuildContext& ctx, const wchar_t* window_class,
                              std::string_view gbk_text, DWORD style, DWORD ex_style,
                              FontOwner font) {
  const RECT r = stored_rect(ctx);
  HWND hwnd = CreateWindowExW(
      ex_style, window_class, to_wide(gbk_text).c_str(), state_styles(ctx) | style, r.left, r.top,
      r.right - r.left, r.bottom - r.top, ctx.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) {
    return nullptr;
  }
  auto control = std::make_unique<Control>();
  control->id = ctx.id;
  control->kind = form::kind_code(ctx.record.properties);
  control->hwnd = hwnd;
  control->font = std::move(font);
  SendMessageW(hwnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(control->font ? control->font.get() : ctx.window_font),
               FALSE);
  return control;
}

std::unique_ptr<Control> build_label(const BuildContext& ctx) {
  const auto& p = props<form::LabelProps>(ctx);
  const FrameStyles frame = static_frame(p.frame_style);
  auto label =
      make(ctx, WC_STATICW, p.caption,
           SS_NOPREFIX | frame.style |
               label_alignment(p.horizontal_alignment, p.vertical_alignment, p.word_wrap != 0),
           frame.ex_style, make_font(p.font));
  if (label) {
    label->colours = make_colours(p.text_colour, p.background_colour);
  }
  return label;
}

std::unique_ptr<Control> build_button(const BuildContext& ctx) {
  const auto& p = props<form::ButtonProps>(ctx);
  return make(ctx, WC_BUTTONW, p.caption, BS_PUSHBUTTON, 0, make_font(p.font));
}

std::unique_ptr<Control> build_edit_box(const BuildContext& ctx) {
  const auto& p = props<form::EditBoxProps>(ctx);
  const FrameStyles frame = edit_frame(p.frame_style);
  auto edit =
      make(ctx, WC_EDITW, p.content, ES_AUTOHSCROLL | edit_alignment(p.alignment) | frame.style,
           frame.ex_style, make_font(p.font));
  if (edit) {
    edit->colours = make_colours(p.text_colour, p.background_colour);
    if (p.max_length > 0) {
      SendMessageW(edit->hwnd, EM_LIMITTEXT, std::min<uint32_t>(p.max_length, 32767), 0);
    }
  }
  return edit;
}

std::unique_ptr<Control> build_group_box(const BuildContext& ctx) {
  const auto& p = props<form::GroupBoxProps>(ctx);
  auto group = make(ctx, WC_BUTTONW, p.caption, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                    make_font(p.font));
  if (group) {
    group->colours = make_colours(p.text_colour, p.background_colour);
    make_container(group->hwnd, group->colours.brush.get());
  }
  return group;
}

std::unique_ptr<Control> build_picture_box(const BuildContext& ctx) {
  const auto& p = props<form::PictureBoxProps>(ctx);
  const FrameStyles frame = static_frame(p.frame_style);
  auto box = make(ctx, WC_STATICW, {}, SS_OWNERDRAW | frame.style, frame.ex_style, nullptr);
  if (box) {
    box->colours = make_colours(form::kNoColour, p.background_colour);
    show_picture(*box, p.picture);
  }
  return box;
}

std::unique_ptr<Control> build_tab_control(const BuildContext& ctx) {
  const auto& p = props<form::TabControlProps>(ctx);
  auto tab = make(ctx, WC_TABCONTROLW, {}, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, nullptr);
  if (tab) {
    tab->tab = std::make_unique<TabControl>(tab->hwnd);
    for (const std::string& caption : p.page_captions) {
      tab->tab->add_page(caption);
    }
    tab->tab->set_current(0);
  }
  return tab;
}

std::unique_ptr<Control> build_hyperlink_box(const BuildContext& ctx) {
  const auto& p = props<form::HyperlinkBoxProps>(ctx);
  auto link = make(ctx, WC_STATICW, {}, SS_NOPREFIX, 0, nullptr);
  if (link) {
    link->colours = make_colours(p.colours[0], p.background_colour);
  }
  return link;
}

std::unique_ptr<Control> build_timer(const BuildContext& ctx) {
  auto timer = std::make_unique<Control>();
  timer->id = ctx.id;
  timer->kind = abi::kind::Timer;
  return timer;
}

std::unique_ptr<Control> build_html_browser(const BuildContext& ctx) {
  const auto& p = props<form::HtmlBrowserProps>(ctx);
  const RECT r = stored_rect(ctx);
  HWND pane = HtmlView::create_pane(ctx.parent, state_styles(ctx), r.left, r.top, r.right - r.left,
                                    r.bottom - r.top);
  if (pane == nullptr) {
    return nullptr;
  }
  auto view = std::make_unique<Control>();
  view->id = ctx.id;
  view->kind = abi::kind::HtmlBrowserBox;
  view->hwnd = pane;
  SendMessageW(pane, WM_SETFONT, reinterpret_cast<WPARAM>(ctx.window_font), FALSE);
  view->html = std::make_unique<HtmlView>(pane);
  view->html->set_address(p.address);
  return view;
}

struct BuilderRow {
  uint32_t kind;
  BuildFn build;
};

constexpr BuilderRow kBuilders[] = {
    {abi::kind::Label, build_label},
    {abi::kind::Button, build_button},
    {abi::kind::EditBox, build_edit_box},
    {abi::kind::GroupBox, build_group_box},
    {abi::kind::PictureBox, build_picture_box},
    {abi::kind::TabControl, build_tab_control},
    {abi::kind::HyperlinkBox, build_hyperlink_box},
    {abi::kind::Timer, build_timer},
    {abi::kind::HtmlBrowserBox, build_html_browser},
};

}  // namespace

BuildFn builder_for(uint32_t kind_code) {
  for (const BuilderRow& row : kBuilders) {
    if (row.kind == kind_code) {
      return row.build;
    }
  }
  return nullptr;
}

void show_picture(Control& box, std::span<const uint8_t> bmp_file) {
  box.picture = bitmap_from_bmp(bmp_file);
  InvalidateRect(box.hwnd, nullptr, TRUE);
}

}  // namespace core::window
