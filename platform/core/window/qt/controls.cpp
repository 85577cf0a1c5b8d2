#include "platform/core/window/qt/controls.h"

#include <QFocusEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace core::window {

PlainLabel::PlainLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

void PlainLabel::set_caption(const QString& caption) {
  caption_ = caption;
  QString shown = caption;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  setText(shown);
}

namespace {

// Filled, not stroked, so the line covers the style's at any scale.
void fill_frame_line(QPainter& painter, const QRect& box, const QColor& colour) {
  const int w = box.width();
  const int h = box.height();
  for (const QRect& edge :
       {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h)}) {
    painter.fillRect(edge.translated(box.topLeft()), colour);
  }
}

}  // namespace

void PlainLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (line_colour_.isValid() && frameShape() == QFrame::Box) {
    QPainter painter(this);
    fill_frame_line(painter, rect(), line_colour_);
  }
}

namespace {
constexpr int kCaptionLeft = 8;  // the caption's distance from the left edge
constexpr int kCaptionGap = 2;   // blank space either side of the caption
}  // namespace

QRect GroupFrame::caption_rect() const {
  if (title().isEmpty()) {
    return {};
  }
  const QFontMetrics metrics(font());
  return {kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap, metrics.height()};
}

// An etched frame, a grey line with a white one inside, its top line through
// the middle of the caption.
void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect caption = caption_rect();
  const int top = QFontMetrics(font()).height() / 2;
  const QRect frame = rect().adjusted(0, top, -2, -2);
  const auto draw = [&](const QRect& r, const QColor& colour) {
    painter.setPen(colour);
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.bottomRight(), r.topRight());
    if (caption.isNull()) {
      painter.drawLine(r.topLeft(), r.topRight());
    } else {
      painter.drawLine(r.topLeft(), QPoint(caption.left() - 1, r.top()));
      painter.drawLine(QPoint(caption.right() + 1, r.top()), r.topRight());
    }
  };
  draw(frame.translated(1, 1), Qt::white);
  draw(frame, QColor(0x80, 0x80, 0x80));
  if (!caption.isNull()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
  }
}

void FocusEdit::set_single_line_frame() {
  setFrame(false);
  setTextMargins(1, 1, 1, 1);
  single_line_frame_ = true;
}

void FocusEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (single_line_frame_) {
    QPainter painter(this);
    fill_frame_line(painter, rect(), Qt::black);
  }
}

void FocusEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (on_focus_gained) {
    const Qt::FocusReason reason = event->reason();
    on_focus_gained(reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason);
  }
}

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::set_picture(std::span<const uint8_t> bmp_file) {
  const QImage image = QImage::fromData(bmp_file.data(), static_cast<int>(bmp_file.size()), "BMP");
  if (image.isNull()) {
    clear();
  } else {
    setPixmap(QPixmap::fromImage(image));
  }
}

}  // namespace core::window
