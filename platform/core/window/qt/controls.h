// Widgets that differ from Qt's in one thing each.
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <span>

namespace core::window {

// A label never interprets its caption as rich text, and shows a stored
// CR LF as one line break while reading back exactly what was written.
// A single-line frame is drawn in its own colour, not the text's.
class PlainLabel : public QLabel {
 public:
  explicit PlainLabel(QWidget* parent);
  void set_caption(const QString& caption);
  const QString& caption() const { return caption_; }
  void set_line_colour(const QColor& colour) { line_colour_ = colour; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  QColor line_colour_;  // invalid: the frame as the style draws it
};

// An edit box that reports each time the focus comes into it: a visit when
// the user (mouse, Tab, a shortcut) or the program moves it there, a return
// when it only comes back with the window's activation or after a menu closes.
class FocusEdit : public QLineEdit {
 public:
  explicit FocusEdit(QWidget* parent) : QLineEdit(parent) {}

  // A one-pixel black line round the box instead of the style's frame.
  void set_single_line_frame();
  bool single_line_frame() const { return single_line_frame_; }

  // Says whether the focus came on a visit or only returned with the window.
  std::function<void(bool visit)> on_focus_gained;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool single_line_frame_ = false;
};

// A group box whose caption sits on the frame's top line, the line broken
// around it, so controls placed just below the caption cover neither.
class GroupFrame : public QGroupBox {
 public:
  explicit GroupFrame(QWidget* parent) : QGroupBox(parent) {}

  // Where the caption is drawn, in the group box's coordinates.
  QRect caption_rect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A picture box shows a BMP given as file bytes, from its top left corner;
// bytes that are no picture show nothing.
class PictureBox : public QLabel {
 public:
  explicit PictureBox(QWidget* parent);
  void set_picture(std::span<const uint8_t> bmp_file);
};

// A hyperlink box: a label of a type of its own, so the window's controls are
// told apart by kind. The target it opens is kept by the window logic.
class HyperlinkBox : public QLabel {
 public:
  explicit HyperlinkBox(QWidget* parent) : QLabel(parent) {}
};

}  // namespace core::window
