// Writes lanyinbao.ico and lanyinbao.png into the given directory.
#include <QImage>

#include <cstdio>
#include <fstream>
#include <string>

#include "ui/handset_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const std::vector<uint8_t> ico = ui::handset_icon_file();
  std::ofstream out(dir + "/lanyinbao.ico", std::ios::binary);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  out.close();
  std::vector<uint32_t> pixels = ui::handset_icon_pixels();
  const QImage image(reinterpret_cast<const uchar*>(pixels.data()), ui::kIconSize, ui::kIconSize,
                     QImage::Format_ARGB32);
  if (!out || !image.save(QString::fromStdString(dir + "/lanyinbao.png"), "PNG")) {
    std::fprintf(stderr, "%s: cannot write the icon files into %s\n", argv[0], dir.c_str());
    return 1;
  }
  return 0;
}
