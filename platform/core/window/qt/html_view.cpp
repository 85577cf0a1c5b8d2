#include "platform/core/window/qt/html_view.h"

#include <QDesktopServices>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "platform/gbk/gbk_text.h"
#include "platform/paths/paths.h"

namespace core::window {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// The charset named in the page's head ("charset=gb2312"), lower-cased; empty
// when there is none.
std::string declared_charset(const std::string& page) {
  const std::string head = lower(std::string_view(page).substr(0, 4096));
  const size_t at = head.find("charset=");
  if (at == std::string::npos) {
    return {};
  }
  size_t begin = at + 8;
  while (begin < head.size() && (head[begin] == '"' || head[begin] == '\'')) {
    ++begin;
  }
  size_t end = begin;
  while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) ||
                               head[end] == '-' || head[end] == '_')) {
    ++end;
  }
  return head.substr(begin, end - begin);
}

}  // namespace

QString decode_page(const std::string& bytes) {
  const std::string charset = declared_charset(bytes);
  if (charset == "utf-8" || charset == "utf8") {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return gbk::to_qstring(bytes);
}

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::open_link);
}

void HtmlView::set_address(std::string gbk_address) {
  address_ = std::move(gbk_address);
  const std::filesystem::path file = paths::host_path(address_);
  std::ifstream in(file, std::ios::binary);
  std::string page;
  if (in) {
    page.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  document()->setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  setHtml(decode_page(page));
}

void HtmlView::open_link(const QUrl& link) {
  QDesktopServices::openUrl(link.isRelative() ? document()->baseUrl().resolved(link) : link);
}

}  // namespace core::window
