#include "platform/core/window/control_builders.h"

#include <QGroupBox>
#include <QPushButton>

#include "platform/core/window/controls.h"
#include "platform/core/window/look.h"
#include "platform/core/window/tab_control.h"
#include "platform/support/html_view.h"
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

void on_event(const BuildContext& ctx, int32_t event, auto connect_to) {
  if (const auto offset = handler_for(ctx.record, event)) {
    connect_to([code = *offset] { fire(code); });
  }
}

LiveControl build_label(const BuildContext& ctx) {
  const auto& p = props<form::LabelProps>(ctx);
  auto* label = place(new PlainLabel(ctx.parent), ctx);
  apply_frame(label, p.frame_style);
  set_colour(label, QPalette::WindowText, p.text_colour);
  set_background(label, p.background_colour);
  label->setAlignment(to_alignment(p.horizontal_alignment, p.vertical_alignment));
  label->setWordWrap(p.word_wrap != 0);
  label->setFont(to_qfont(p.font, ctx.window_font));
  label->set_caption(to_qtext(p.caption));
  return {abi::kind::Label, label, nullptr};
}

LiveControl build_button(const BuildContext& ctx) {
  const auto& p = props<form::ButtonProps>(ctx);
  auto* button = place(new QPushButton(ctx.parent), ctx);
  button->setAutoDefault(false);
  button->setFont(to_qfont(p.font, ctx.window_font));
  button->setText(to_qtext(p.caption));
  on_event(ctx, abi::event::Clicked,
           [button](auto run) { QObject::connect(button, &QPushButton::clicked, button, run); });
  return {abi::kind::Button, button, nullptr};
}

LiveControl build_edit_box(const BuildContext& ctx) {
  const auto& p = props<form::EditBoxProps>(ctx);
  auto* edit = place(new FocusEdit(ctx.parent), ctx);
  edit->setFrame(p.frame_style != form::frame::None);
  set_colour(edit, QPalette::Text, p.text_colour);
  set_colour(edit, QPalette::Base, p.background_colour);
  if (p.frame_style == form::frame::SingleLine) {
    edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #000000; }"));
  }
  edit->setAlignment(to_alignment(p.alignment, 1));
  if (p.max_length > 0) {
    edit->setMaxLength(static_cast<int>(std::min<uint32_t>(p.max_length, 32767)));
  }
  edit->setFont(to_qfont(p.font, ctx.window_font));
  edit->setText(to_qtext(p.content));
  edit->setCursorPosition(0);
  on_event(ctx, abi::event::GotFocus, [edit](auto run) { edit->on_focus_gained = run; });
  return {abi::kind::EditBox, edit, nullptr};
}

LiveControl build_group_box(const BuildContext& ctx) {
  const auto& p = props<form::GroupBoxProps>(ctx);
  auto* group = place(new QGroupBox(ctx.parent), ctx);
  set_colour(group, QPalette::WindowText, p.text_colour);
  set_background(group, p.background_colour);
  group->setFont(to_qfont(p.font, ctx.window_font));
  group->setTitle(to_qtext(p.caption));
  return {abi::kind::GroupBox, group, nullptr};
}

LiveControl build_picture_box(const BuildContext& ctx) {
  const auto& p = props<form::PictureBoxProps>(ctx);
  auto* box = place(new PictureBox(ctx.parent), ctx);
  apply_frame(box, p.frame_style);
  set_background(box, p.background_colour);
  box->set_picture(p.picture);
  return {abi::kind::PictureBox, box, nullptr};
}

LiveControl build_tab_control(const BuildContext& ctx) {
  const auto& p = props<form::TabControlProps>(ctx);
  auto* tab = place(new TabControl(ctx.parent), ctx);
  set_background(tab, p.background_colour);
  for (const std::string& caption : p.page_captions) {
    tab->add_page(to_qtext(caption));
  }
  tab->set_current(0);
  return {abi::kind::TabControl, tab, nullptr};
}

LiveControl build_hyperlink_box(const BuildContext& ctx) {
  const auto& p = props<form::HyperlinkBoxProps>(ctx);
  auto* link = place(new HyperlinkBox(ctx.parent), ctx);
  set_colour(link, QPalette::WindowText, p.colours[0]);
  set_background(link, p.background_colour);
  return {abi::kind::HyperlinkBox, link, nullptr};
}

LiveControl build_timer(const BuildContext& ctx) {
  const auto& p = props<form::TimerProps>(ctx);
  auto* timer = new QTimer(ctx.owner);
  timer->setObjectName(to_qtext(ctx.record.name));
  timer->setInterval(static_cast<int>(std::min<uint32_t>(p.interval_ms, INT32_MAX)));
  on_event(ctx, abi::event::Tick,
           [timer](auto run) { QObject::connect(timer, &QTimer::timeout, timer, run); });
  if (p.interval_ms > 0) {
    timer->start();
  }
  return {abi::kind::Timer, nullptr, timer};
}

LiveControl build_html_browser(const BuildContext& ctx) {
  const auto& p = props<form::HtmlBrowserProps>(ctx);
  auto* view = place(new support::HtmlView(ctx.parent), ctx);
  view->set_address(p.address);
  return {abi::kind::HtmlBrowserBox, view, nullptr};
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

std::optional<uint32_t> handler_for(const form::ControlRecord& record, int32_t event) {
  for (const form::EventBinding& b : record.events) {
    if (b.event == event) {
      return b.code_offset;
    }
  }
  return std::nullopt;
}

}  // namespace core::window
