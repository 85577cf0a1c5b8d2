// Widgets that differ from Qt's in one thing each.
#pragma once

#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <string>

#include "image/form/form_types.h"

namespace core::window {

// A label never interprets its caption as rich text, and shows a stored
// CR LF as one line break while reading back exactly what was written.
class PlainLabel : public QLabel {
 public:
  explicit PlainLabel(QWidget* parent);
  void set_caption(const QString& caption);
  const QString& caption() const { return caption_; }

 private:
  QString caption_;
};

// An edit box that reports each time the user (mouse, Tab, a shortcut) or
// the program moves the focus into it. Focus that only comes back with the
// window's activation, or after a menu closes, is not a new visit.
class FocusEdit : public QLineEdit {
 public:
  explicit FocusEdit(QWidget* parent) : QLineEdit(parent) {}

  std::function<void()> on_focus_gained;

 protected:
  void focusInEvent(QFocusEvent* event) override;
};

// A picture box shows a BMP given as file bytes; bytes that are no picture
// show nothing. The bytes are kept to be read back.
class PictureBox : public QLabel {
 public:
  explicit PictureBox(QWidget* parent);
  void set_picture(form::Bytes bmp_file);
  const form::Bytes& picture() const { return picture_; }

 private:
  form::Bytes picture_;
};

// A hyperlink box holds the target the link command opens.
class HyperlinkBox : public QLabel {
 public:
  explicit HyperlinkBox(QWidget* parent) : QLabel(parent) {}
  void set_target(std::string gbk_target) { target_ = std::move(gbk_target); }
  const std::string& target() const { return target_; }

 private:
  std::string target_;
};

}  // namespace core::window
