// The HTML browser box: shows a local page given by its (Windows-style) path,
// decoded by the charset the page declares, and hands every link to the
// desktop's browser. A page that cannot be read leaves the box empty. Rows
// do not wrap; the page's background colour fills the box even where the
// page has no body element, and what the view cannot render (scripts) shows
// that background. The focus shows as a dotted line round the box.
#pragma once

#include <QColor>
#include <QTextBrowser>

#include <string>

namespace core::window {

class HtmlView : public QTextBrowser {
 public:
  explicit HtmlView(QWidget* parent = nullptr);

  // The address is GBK text as the program gives it; it is kept as given
  // and read back unchanged.
  void set_address(std::string gbk_address);
  const std::string& address() const { return address_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void open_link(const QUrl& link);
  void fix_line_heights();

  std::string address_;
  QColor plain_background_;  // for a page that asks for none
};

// The background colour the page's style sheet gives its body
// ("body{...background-color:#d5def2...}"); invalid when it gives none.
QColor page_background(const QString& page);

// The page's text, decoded by the charset its head declares: GB2312, GBK or
// GB18030 (and pages that declare none) as GBK, UTF-8 as UTF-8.
QString decode_page(const std::string& bytes);

}  // namespace core::window
