#include "platform/core/window/qt/html_view.h"

#include <QDesktopServices>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include "platform/core/window/page_charset.h"
#include "platform/gbk/gbk_text.h"
#include "platform/paths/paths.h"

namespace core::window {

QString decode_page(const std::string& bytes) {
  const std::string charset = declared_charset(bytes);
  if (charset == "utf-8" || charset == "utf8") {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return gbk::to_qstring(bytes);
}

QColor page_background(const QString& page) {
  // A page without a body rule (a missing page among them) needs no
  // regular expression compiled.
  if (!page.contains(QLatin1String("body"), Qt::CaseInsensitive)) {
    return {};
  }
  static const QRegularExpression body_rule(QStringLiteral("(?:^|[\\s}>,])body\\s*\\{([^}]*)\\}"),
                                            QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression background(
      QStringLiteral("background(?:-color)?\\s*:\\s*(#[0-9a-f]{3,6}|[a-z]+)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch rule = body_rule.match(page);
  if (!rule.hasMatch()) {
    return {};
  }
  const QRegularExpressionMatch colour = background.match(rule.captured(1));
  return colour.hasMatch() ? QColor(colour.captured(1)) : QColor();
}

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Rows do not wrap. The document's own option says so; the view's
  // setLineWrapMode(NoWrap) would lay the empty document out once more in a
  // font it is not shown in.
  QTextOption unwrapped = document()->defaultTextOption();
  unwrapped.setWrapMode(QTextOption::NoWrap);
  document()->setDefaultTextOption(unwrapped);
  document()->setDocumentMargin(0);
  plain_background_ = palette().color(QPalette::Base);
  connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::open_link);
}

void HtmlView::set_address(std::string gbk_address) {
  address_ = std::move(gbk_address);
  const std::filesystem::path file = paths::host_path(address_);
  // QFile rather than an ifstream: no C++ stream locale is set up for it.
  QFile in(QString::fromStdU16String(file.u16string()));
  std::string page;
  if (in.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = in.readAll();
    page.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  document()->setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  const QString html = decode_page(page);
  const QColor background = page_background(html);
  const QColor base = background.isValid() ? background : plain_background_;
  // Each palette or document change re-resolves and lays out; an empty box
  // that stays empty in its colour needs neither.
  if (palette().color(QPalette::Base) != base) {
    QPalette p = palette();
    p.setColor(QPalette::Base, base);
    setPalette(p);
  }
  if (!html.isEmpty() || !document()->isEmpty()) {
    setHtml(html);
    fix_line_heights();
  }
}

// Qt reads a style's "line-height: 20px" as a least height, so a row whose
// font is taller grows; a page means the row's exact height.
void HtmlView::fix_line_heights() {
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format = block.blockFormat();
    if (format.lineHeightType() == QTextBlockFormat::MinimumHeight) {
      format.setLineHeight(format.lineHeight(), QTextBlockFormat::FixedHeight);
      QTextCursor(block).setBlockFormat(format);
    }
  }
}

void HtmlView::paintEvent(QPaintEvent* event) {
  QTextBrowser::paintEvent(event);
  if (hasFocus()) {
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
  }
}

void HtmlView::focusInEvent(QFocusEvent* event) {
  QTextBrowser::focusInEvent(event);
  viewport()->update();
}

void HtmlView::focusOutEvent(QFocusEvent* event) {
  QTextBrowser::focusOutEvent(event);
  viewport()->update();
}

void HtmlView::open_link(const QUrl& link) {
  QDesktopServices::openUrl(link.isRelative() ? document()->baseUrl().resolved(link) : link);
}

}  // namespace core::window
