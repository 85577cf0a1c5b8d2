// How the form's stored look (colours, fonts, frames, alignment) maps onto Qt.
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPalette>

#include <initializer_list>
#include <string>

#include "image/form/form_types.h"

namespace core::window {

// A Windows colour value 0x00BBGGRR; form::kNoColour has none.
inline bool has_colour(uint32_t colorref) {
  return colorref != form::kNoColour;
}
QColor to_qcolor(uint32_t colorref);

// The installed families that stand in for a Windows face name, the first of
// the same kind and metrics, the next for the characters it lacks: 宋体 and
// SimSun a Song-style serif, 黑体 and SimHei a sans serif, Times New Roman and
// Arial their metric-compatible faces. Any other face stays as named.
QStringList families_for(const QString& face_name);

// The window's default control font: 宋体, 12 pixels.
QFont default_font();

// The control's own font at its stored pixel height, or the window's when it
// stores none.
QFont to_qfont(const form::Font& font, const QFont& window_font);

struct RoleColour {
  QPalette::ColorRole role;
  uint32_t colorref;
};

// Sets the palette roles the form gives a colour of its own, in one palette
// change: each change re-resolves the palettes of the widget and its children.
void set_colours(QWidget* widget, std::initializer_list<RoleColour> colours);

// A background of its own; none shows the parent through.
void set_background(QWidget* widget, uint32_t colorref);

// Text in WindowText and a background of its own, in one palette change.
void set_text_and_background(QWidget* widget, uint32_t text_colorref, uint32_t background_colorref);

void apply_frame(QFrame* frame, uint32_t frame_style);

// Horizontal 0 left, 1 centred, 2 right; vertical 0 top, 1 centred, 2 bottom.
Qt::Alignment to_alignment(uint32_t horizontal, uint32_t vertical);

QString to_qtext(const std::string& gbk_text);

}  // namespace core::window
