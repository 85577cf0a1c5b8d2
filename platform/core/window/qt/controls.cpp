#include "platform/core/window/qt/controls.h"

#include <QFocusEvent>
#include <QImage>
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
