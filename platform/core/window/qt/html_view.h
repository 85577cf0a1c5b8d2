// The HTML browser box: shows a local page given by its (Windows-style) path,
// decoded by the charset the page declares, and hands every link to the
// desktop's browser. A page that cannot be read leaves the box empty.
#pragma once

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

 private:
  void open_link(const QUrl& link);

  std::string address_;
};

// The page's text, decoded by the charset its head declares: GB2312, GBK or
// GB18030 (and pages that declare none) as GBK, UTF-8 as UTF-8.
QString decode_page(const std::string& bytes);

}  // namespace core::window
