#include "platform/core/window/controls.h"

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
  switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
      break;
    default:
      if (on_focus_gained) {
        on_focus_gained();
      }
  }
}

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::set_picture(form::Bytes bmp_file) {
  picture_ = std::move(bmp_file);
  const QImage image = QImage::fromData(picture_.data(), static_cast<int>(picture_.size()), "BMP");
  if (image.isNull()) {
    clear();
  } else {
    setPixmap(QPixmap::fromImage(image));
  }
}

}  // namespace core::window
