#include "platform/support/link_target.h"

#include <QRegularExpression>

#include "platform/gbk/gbk_text.h"
#include "platform/paths/paths.h"

namespace support {

QUrl url_for_target(std::string_view gbk_target) {
  const QString text = gbk::to_qstring(gbk_target).trimmed();
  // A scheme needs two letters at least, so "c:\..." stays a path.
  static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
  if (scheme.match(text).hasMatch()) {
    return QUrl(text);
  }
  const std::filesystem::path file = paths::host_path(gbk::from_qstring(text));
  return QUrl::fromLocalFile(QString::fromStdString(file.string()));
}

}  // namespace support
