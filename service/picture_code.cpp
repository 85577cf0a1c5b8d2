#include "service/picture_code.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace service {
namespace {

// One row per byte, the five low bits left to right.
constexpr std::array<std::array<std::uint8_t, 7>, 10> kGlyphs = {{
    {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e},  // 0
    {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e},  // 1
    {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f},  // 2
    {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e},  // 3
    {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02},  // 4
    {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e},  // 5
    {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e},  // 6
    {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e},  // 8
    {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c},  // 9
}};

constexpr int kScale = 2;
constexpr int kGlyphWidth = 5 * kScale;
constexpr int kGlyphHeight = 7 * kScale;
constexpr int kGap = 3;

int pick(std::mt19937& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

QRgb light_colour(std::mt19937& rng) {
  return qRgb(pick(rng, 150, 230), pick(rng, 150, 230), pick(rng, 150, 230));
}

void put(QImage& image, int x, int y, QRgb colour) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
    image.setPixel(x, y, colour);
  }
}

void draw_line(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  for (int err = dx + dy;;) {
    put(image, x0, y0, colour);
    if (x0 == x1 && y0 == y1) {
      return;
    }
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void draw_glyph(QImage& image, int digit, int left, int top, QRgb colour) {
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 5; ++col) {
      if ((kGlyphs[digit][row] >> (4 - col)) & 1) {
        for (int i = 0; i < kScale * kScale; ++i) {
          put(image, left + col * kScale + i % kScale, top + row * kScale + i / kScale, colour);
        }
      }
    }
  }
}

void add_noise(QImage& image, std::mt19937& rng) {
  for (int i = 0; i < 2; ++i) {
    draw_line(image, 0, pick(rng, 0, kPictureHeight - 1), kPictureWidth - 1,
              pick(rng, 0, kPictureHeight - 1), light_colour(rng));
  }
  for (int i = 0; i < 60; ++i) {
    put(image, pick(rng, 0, kPictureWidth - 1), pick(rng, 0, kPictureHeight - 1),
        light_colour(rng));
  }
}

}  // namespace

std::string draw_picture_code(std::string_view digits, std::mt19937& rng) {
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  image.fill(qRgb(245, 245, 235));
  add_noise(image, rng);
  const int text_width = static_cast<int>(digits.size()) * (kGlyphWidth + kGap) - kGap;
  int left = (kPictureWidth - text_width) / 2;
  for (char c : digits) {
    if (c >= '0' && c <= '9') {
      const int top = pick(rng, 3, kPictureHeight - kGlyphHeight - 3);
      const QRgb ink = qRgb(pick(rng, 0, 90), pick(rng, 0, 90), pick(rng, 60, 140));
      draw_glyph(image, c - '0', left, top, ink);
    }
    left += kGlyphWidth + kGap;
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    return {};
  }
  return png.toStdString();
}

}  // namespace service
