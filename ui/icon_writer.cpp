// Writes the program's icon into the given directory: lanyinbao.ico,
// lanyinbao.png (the 128-pixel picture) and the desktop's icon theme sizes as
// hicolor/SIZExSIZE/apps/lanyinbao.png, each scaled smoothly from the picture.
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/handset_icon.h"

namespace {

constexpr int kThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool write_ico(const std::filesystem::path& path) {
  const std::vector<uint8_t> ico = ui::handset_icon_file();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  out.close();
  return static_cast<bool>(out);
}

bool write_png(const QImage& image, const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  return !error && image.save(QString::fromStdString(path.string()), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const std::vector<uint32_t> pixels = ui::handset_icon_pixels();
  const QImage picture(reinterpret_cast<const uchar*>(pixels.data()), ui::kIconSize, ui::kIconSize,
                       QImage::Format_ARGB32);
  bool written = write_ico(dir / "lanyinbao.ico") && write_png(picture, dir / "lanyinbao.png");
  for (const int size : kThemeSizes) {
    const QImage scaled = size == ui::kIconSize ? picture
                                                : picture.scaled(size, size, Qt::IgnoreAspectRatio,
                                                                 Qt::SmoothTransformation);
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    written = written && write_png(scaled, dir / "hicolor" / folder / "apps" / "lanyinbao.png");
  }
  if (!written) {
    std::fprintf(stderr, "%s: cannot write the icon files into %s\n", argv[0],
                 dir.string().c_str());
    return 1;
  }
  return 0;
}
