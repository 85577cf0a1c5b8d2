// The desktop over Qt: QDesktopServices and QImage.
#include <QDesktopServices>
#include <QImage>
#include <QUrl>

#include "platform/support/desktop.h"

namespace support {

bool open_target(const LinkTarget& target) {
  const QUrl url = target.kind == LinkTarget::Kind::Url
                       ? QUrl(QString::fromStdString(target.url))
                       : QUrl::fromLocalFile(QString::fromStdString(target.file.string()));
  return QDesktopServices::openUrl(url);
}

bool write_bmp(std::span<const uint8_t> picture_file, const std::filesystem::path& target) {
  const QImage image =
      QImage::fromData(picture_file.data(), static_cast<qsizetype>(picture_file.size()));
  return !image.isNull() && image.save(QString::fromStdString(target.string()), "BMP");
}

}  // namespace support
