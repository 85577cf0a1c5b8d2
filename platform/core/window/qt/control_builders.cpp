#include "platform/core/window/qt/control_builders.h"

#include <QPushButton>
#include <QTimer>

#include "platform/core/window/backend.h"
#include "platform/core/window/qt/controls.h"
#include "platform/core/window/qt/html_view.h"
#include "platform/core/window/qt/look.h"
#include "platform/core/window/qt/tab_control.h"
#include "runtime/abi.h"

namespace core::window {
namespace {

template <class P>
const P& props(const BuildContext& ctx) {
  return std::get<P>(ctx.record.properties);
}

// Geometry, name, visibility, enabled state and Tab behaviour, which every
// widget takes from its record alike.
template <class W>
W* place(W* widget, const BuildContext& ctx) {
  const form::Geometry& g = ctx.record.geometry;
  widget->setGeometry(g.left, g.top, g.width, g.height);
  widget->setObjectName(to_qtext(ctx.record.name));
  const uint32_t flags = ctx.record.state_flags;
  if (!(flags & form::state::Visible)) {
    widget->setVisible(false);
  }
  widget->setEnabled(!(flags & form::state::Disabled));
  if (flags & form::state::TabStop) {
    widget->setFocusPolicy(Qt::StrongFocus);
  } else if (widget->focusPolicy() & Qt::TabFocus) {
    widget->setFocusPolicy(Qt::ClickFocus);
  }
  return widget;
}

// The window logic runs the routine bound to the event, if any.
auto deliver_to(const BuildContext& ctx, int32_t event) {
  return [id = ctx.id, event] { deliver(id, event); };
}

QObject* build_label(const BuildContext& ctx) {
  const auto& p = props<form::LabelProps>(ctx);
  auto* label = place(new PlainLabel(ctx.parent), ctx);
  apply_frame(label, p.frame_style);
  if (p.frame_style == form::frame::SingleLine && has_colour(p.frame_colours[0])) {
    label->set_line_colour(to_qcolor(p.frame_colours[0]));
  }
  set_text_and_background(label, p.text_colour, p.background_colour);
  label->setAlignment(to_alignment(p.horizontal_alignment, p.vertical_alignment));
  label->setWordWrap(p.word_wrap != 0);
  label->setFont(to_qfont(p.font, ctx.window_font));
  label->set_caption(to_qtext(p.caption));
  return label;
}

QObject* build_button(const BuildContext& ctx) {
  const auto& p = props<form::ButtonProps>(ctx);
  auto* button = place(new QPushButton(ctx.parent), ctx);
  // Enter on the focused button clicks it, as Space does.
  button->setAutoDefault(true);
  button->setFont(to_qfont(p.font, ctx.window_font));
  button->setText(to_qtext(p.caption));
  QObject::connect(button, &QPushButton::clicked, button, deliver_to(ctx, abi::event::Clicked));
  return button;
}

QObject* build_edit_box(const BuildContext& ctx) {
  const auto& p = props<form::EditBoxProps>(ctx);
  auto* edit = place(new FocusEdit(ctx.parent), ctx);
  edit->setFrame(p.frame_style != form::frame::None);
  set_colours(edit, {{QPalette::Text, p.text_colour}, {QPalette::Base, p.background_colour}});
  if (p.frame_style == form::frame::SingleLine) {
    edit->set_single_line_frame();
  }
  edit->setAlignment(to_alignment(p.alignment, 1));
  if (p.max_length > 0) {
    edit->setMaxLength(static_cast<int>(std::min<uint32_t>(p.max_length, 32767)));
  }
  edit->setFont(to_qfont(p.font, ctx.window_font));
  edit->setText(to_qtext(p.content));
  edit->setCursorPosition(0);
  edit->on_focus_gained = [id = ctx.id](bool visit) {
    deliver(id, abi::event::GotFocus, visit ? FocusCause::Visit : FocusCause::Return);
  };
  return edit;
}

QObject* build_group_box(const BuildContext& ctx) {
  const auto& p = props<form::GroupBoxProps>(ctx);
  auto* group = place(new GroupFrame(ctx.parent), ctx);
  set_text_and_background(group, p.text_colour, p.background_colour);
  group->setFont(to_qfont(p.font, ctx.window_font));
  group->setTitle(to_qtext(p.caption));
  return group;
}

QObject* build_picture_box(const BuildContext& ctx) {
  const auto& p = props<form::PictureBoxProps>(ctx);
  auto* box = place(new PictureBox(ctx.parent), ctx);
  apply_frame(box, p.frame_style);
  set_background(box, p.background_colour);
  box->set_picture(p.picture);
  return box;
}

QObject* build_tab_control(const BuildContext& ctx) {
  const auto& p = props<form::TabControlProps>(ctx);
  auto* tab = place(new TabControl(ctx.parent), ctx);
  set_background(tab, p.background_colour);
  for (const std::string& caption : p.page_captions) {
    tab->add_page(to_qtext(caption));
  }
  tab->set_current(0);
  return tab;
}

QObject* build_hyperlink_box(const BuildContext& ctx) {
  const auto& p = props<form::HyperlinkBoxProps>(ctx);
  auto* link = place(new HyperlinkBox(ctx.parent), ctx);
  set_text_and_background(link, p.colours[0], p.background_colour);
  return link;
}

QObject* build_timer(const BuildContext& ctx) {
  auto* timer = new QTimer(ctx.owner);
  timer->setObjectName(to_qtext(ctx.record.name));
  QObject::connect(timer, &QTimer::timeout, timer, deliver_to(ctx, abi::event::Tick));
  return timer;
}

QObject* build_html_browser(const BuildContext& ctx) {
  const auto& p = props<form::HtmlBrowserProps>(ctx);
  auto* view = place(new HtmlView(ctx.parent), ctx);
  view->set_address(p.address);
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

}  // namespace core::window
