#include "platform/core/window/qt/look.h"

#include <QWidget>

#include <cstdlib>

#include "platform/gbk/gbk_text.h"

namespace core::window {

QColor to_qcolor(uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

namespace {

struct FaceRow {
  const char* windows_face;
  const char* family;
  const char* fallback;  // for the characters the family lacks
};

const FaceRow kFaces[] = {
    {"宋体", "Noto Serif CJK SC", nullptr},
    {"SimSun", "Noto Serif CJK SC", nullptr},
    {"黑体", "Noto Sans CJK SC", nullptr},
    {"SimHei", "Noto Sans CJK SC", nullptr},
    {"Times New Roman", "Liberation Serif", "Noto Serif CJK SC"},
    {"Arial", "Liberation Sans", "Noto Sans CJK SC"},
};

}  // namespace

QStringList families_for(const QString& face_name) {
  for (const FaceRow& row : kFaces) {
    if (face_name.compare(QString::fromUtf8(row.windows_face), Qt::CaseInsensitive) == 0) {
      QStringList families{QString::fromUtf8(row.family)};
      if (row.fallback != nullptr) {
        families.append(QString::fromUtf8(row.fallback));
      }
      return families;
    }
  }
  return {face_name};
}

QFont default_font() {
  QFont f;
  f.setFamilies(families_for(QStringLiteral("宋体")));
  f.setPixelSize(12);
  return f;
}

QFont to_qfont(const form::Font& font, const QFont& window_font) {
  if (!font) {
    return window_font;
  }
  QFont f;
  f.setFamilies(families_for(gbk::to_qstring(font->face_name)));
  // A negative height is the character height, a positive one the cell
  // height; either way the nearest pixel size.
  const int height = std::abs(font->height);
  if (height > 0) {
    f.setPixelSize(height);
  } else {
    f.setPixelSize(window_font.pixelSize() > 0 ? window_font.pixelSize() : 12);
  }
  if (font->weight > 0) {
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font->weight, 1, 1000)));
  }
  f.setItalic(font->italic != 0);
  f.setUnderline(font->underline != 0);
  f.setStrikeOut(font->strike_out != 0);
  return f;
}

void set_colours(QWidget* widget, std::initializer_list<RoleColour> colours) {
  QPalette p = widget->palette();
  bool changed = false;
  for (const RoleColour& c : colours) {
    if (has_colour(c.colorref)) {
      p.setColor(c.role, to_qcolor(c.colorref));
      changed = true;
    }
  }
  if (changed) {
    widget->setPalette(p);
  }
}

void set_background(QWidget* widget, uint32_t colorref) {
  set_colours(widget, {{QPalette::Window, colorref}});
  widget->setAutoFillBackground(has_colour(colorref));
}

void set_text_and_background(QWidget* widget, uint32_t text_colorref,
                             uint32_t background_colorref) {
  set_colours(widget,
              {{QPalette::WindowText, text_colorref}, {QPalette::Window, background_colorref}});
  widget->setAutoFillBackground(has_colour(background_colorref));
}

void apply_frame(QFrame* frame, uint32_t frame_style) {
  switch (frame_style) {
    case form::frame::None:
      frame->setFrameStyle(QFrame::NoFrame);
      break;
    case form::frame::SingleLine:
      frame->setFrameStyle(QFrame::Box | QFrame::Plain);
      frame->setLineWidth(1);
      break;
    default:  // sunken, and the raised and etched kinds drawn alike
      frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      frame->setLineWidth(1);
  }
}

Qt::Alignment to_alignment(uint32_t horizontal, uint32_t vertical) {
  const Qt::Alignment h = horizontal == 1   ? Qt::AlignHCenter
                          : horizontal == 2 ? Qt::AlignRight
                                            : Qt::AlignLeft;
  const Qt::Alignment v = vertical == 0   ? Qt::AlignTop
                          : vertical == 2 ? Qt::AlignBottom
                                          : Qt::AlignVCenter;
  return h | v;
}

QString to_qtext(const std::string& gbk_text) {
  return gbk::to_qstring(gbk_text);
}

}  // namespace core::window
