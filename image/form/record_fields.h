// The field order of every record, written once and used by both the writer
// and the reader. `Io` is the writer (which takes the fields as const) or the
// reader (which fills them in); each call names the field for diagnostics.
#pragma once

#include "image/form/form_types.h"

namespace form::fields {

template <class Io, class P>
void window(Io& io, P& p) {
  io.words(p.style_words, "style words");
  io.text(p.text1, "text after the style words");
  io.blob(p.picture, "background picture");
  io.blob(p.icon, "icon");
  io.blob(p.sound, "background sound");
  io.text(p.caption, "caption");
  io.text(p.text2, "text after the caption");
}

template <class Io, class P>
void label(Io& io, P& p) {
  io.words(p.lead_words, "leading words");
  io.u32(p.frame_style, "frame style");
  io.words(p.frame_colours, "frame colours");
  io.u32(p.text_colour, "text colour");
  io.u32(p.background_colour, "background colour");
  io.words(p.middle_words, "middle words");
  io.words(p.frame_colours2, "second frame colours");
  io.u32(p.horizontal_alignment, "horizontal alignment");
  io.u32(p.vertical_alignment, "vertical alignment");
  io.u32(p.word_wrap, "word wrap");
  io.font(p.font, "font");
  io.blob(p.picture, "picture");
  io.text(p.caption, "caption");
  io.text(p.trailing_texts[0], "first trailing text");
  io.text(p.trailing_texts[1], "second trailing text");
}

template <class Io, class P>
void button(Io& io, P& p) {
  io.words(p.style_words, "style words");
  io.blob(p.picture, "picture");
  io.font(p.font, "font");
  io.text(p.caption, "caption");
}

template <class Io, class P>
void edit_box(Io& io, P& p) {
  io.u32(p.frame_style, "frame style");
  io.u32(p.text_colour, "text colour");
  io.u32(p.background_colour, "background colour");
  io.u32(p.hide_selection, "hide selection");
  io.u32(p.max_length, "maximum length");
  io.u32(p.multi_line, "multi-line");
  io.u32(p.scroll_bars, "scroll bars");
  io.u32(p.alignment, "alignment");
  io.u32(p.input_mode, "input mode");
  io.u16(p.password_char, "password character");
  io.u32(p.case_conversion, "case conversion");
  io.u32(p.spinner_mode, "spinner mode");
  io.u32(p.spinner_lower, "spinner lower bound");
  io.u32(p.spinner_upper, "spinner upper bound");
  io.u32(p.selection_start, "selection start");
  io.u32(p.selection_length, "selection length");
  io.font(p.font, "font");
  io.text(p.content, "content");
  io.text(p.trailing_texts[0], "first trailing text");
  io.text(p.trailing_texts[1], "second trailing text");
}

template <class Io, class P>
void group_box(Io& io, P& p) {
  io.u32(p.lead_word, "leading word");
  io.u32(p.text_colour, "text colour");
  io.u32(p.background_colour, "background colour");
  io.font(p.font, "font");
  io.text(p.caption, "caption");
}

template <class Io, class P>
void picture_box(Io& io, P& p) {
  io.u32(p.frame_style, "frame style");
  io.u32(p.background_colour, "background colour");
  io.blob(p.picture, "picture");
  io.words(p.tail_words, "trailing words");
}

template <class Io, class P>
void tab_control(Io& io, P& p) {
  io.words(p.lead_words, "leading words");
  io.u32(p.word_one, "style word");
  io.u32(p.background_colour, "background colour");
  io.u32(p.tail_word, "trailing word");
  io.page_captions(p.page_captions, "page captions");
}

template <class Io, class P>
void hyperlink_box(Io& io, P& p) {
  io.u32(p.lead_word, "leading word");
  io.words(p.colours, "link colours");
  io.u32(p.background_colour, "background colour");
  io.words(p.tail_words, "trailing words");
}

template <class Io, class P>
void timer(Io& io, P& p) {
  io.u32(p.interval_ms, "interval");
}

template <class Io, class P>
void html_browser(Io& io, P& p) {
  io.u32(p.lead_word, "leading word");
  io.words(p.zero_words, "zero words");
  io.text(p.address, "address");
}

// The part of a window or control record between the comment and the
// property block.
template <class Io, class R>
void control_head(Io& io, R& r) {
  io.reserved(4, "reserved word before the geometry");
  io.i32(r.geometry.left, "left");
  io.i32(r.geometry.top, "top");
  io.i32(r.geometry.width, "width");
  io.i32(r.geometry.height, "height");
  io.reserved(4, "reserved word after the geometry");
  io.u32(r.parent, "parent id");
  io.id_list(r.children, "children");
  io.blob(r.mouse_pointer, "mouse pointer");
  io.cstring(r.tag, "tag");
  io.reserved(4, "reserved word before the state flags");
  io.u32(r.state_flags, "state flags");
  io.reserved(4, "reserved word after the state flags");
  io.events(r.events, "event list");
  io.reserved(20, "reserved bytes before the properties");
}

template <class Io, class M>
void menu_item(Io& io, M& m) {
  io.u32(m.shortcut, "shortcut key");
  io.u32(m.level, "level");
  io.u32(m.state_flags, "state flags");
  io.cstring(m.caption, "caption");
  io.u32(m.handler, "handler");
  io.reserved(16, "reserved bytes after the handler");
}

// Calls fields::<kind>(io, props) for the alternative `props` holds.
template <class Io, class Props>
void properties(Io& io, Props& props) {
  std::visit(
      [&io](auto& p) {
        using T = std::remove_const_t<std::remove_reference_t<decltype(p)>>;
        if constexpr (std::is_same_v<T, WindowProps>) {
          window(io, p);
        } else if constexpr (std::is_same_v<T, LabelProps>) {
          label(io, p);
        } else if constexpr (std::is_same_v<T, ButtonProps>) {
          button(io, p);
        } else if constexpr (std::is_same_v<T, EditBoxProps>) {
          edit_box(io, p);
        } else if constexpr (std::is_same_v<T, GroupBoxProps>) {
          group_box(io, p);
        } else if constexpr (std::is_same_v<T, PictureBoxProps>) {
          picture_box(io, p);
        } else if constexpr (std::is_same_v<T, TabControlProps>) {
          tab_control(io, p);
        } else if constexpr (std::is_same_v<T, HyperlinkBoxProps>) {
          hyperlink_box(io, p);
        } else if constexpr (std::is_same_v<T, TimerProps>) {
          timer(io, p);
        } else {
          static_assert(std::is_same_v<T, HtmlBrowserProps>);
          html_browser(io, p);
        }
      },
      props);
}

}  // namespace form::fields
