#include "ui/handset_icon.h"

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

struct Colour {
  float r, g, b;
};

struct RoundRect {
  float left, top, right, bottom, radius;

  // Signed distance from (x, y) to the outline: negative inside.
  float distance(float x, float y) const {
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  }
};

// One pixel being composed from layers, back to front.
struct Pixel {
  Colour c{0, 0, 0};
  float alpha = 0;

  void paint(Colour src, float coverage) {
    if (coverage <= 0) {
      return;
    }
    const float a = coverage + alpha * (1 - coverage);
    c.r = (src.r * coverage + c.r * alpha * (1 - coverage)) / a;
    c.g = (src.g * coverage + c.g * alpha * (1 - coverage)) / a;
    c.b = (src.b * coverage + c.b * alpha * (1 - coverage)) / a;
    alpha = a;
  }
};

float coverage(const RoundRect& shape, float x, float y) {
  return std::clamp(0.5f - shape.distance(x, y), 0.0f, 1.0f);
}

Colour mix(Colour a, Colour b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

constexpr RoundRect kBody{32, 6, 96, 122, 14};
constexpr RoundRect kScreenBezel{40, 20, 88, 66, 5};
constexpr RoundRect kScreen{43, 23, 85, 63, 3};
constexpr RoundRect kEarpiece{54, 11, 74, 15, 2};

Pixel shade(float x, float y) {
  Pixel p;
  // A soft drop shadow, then the silver body with a dark rim.
  RoundRect shadow = kBody;
  shadow.left += 3, shadow.right += 3, shadow.top += 3, shadow.bottom += 3;
  p.paint({0.1f, 0.1f, 0.12f}, 0.35f * std::clamp(1.5f - shadow.distance(x, y) / 2, 0.0f, 1.0f));
  p.paint({0.33f, 0.35f, 0.38f}, coverage(kBody, x, y));
  const RoundRect inner{kBody.left + 1.5f, kBody.top + 1.5f, kBody.right - 1.5f,
                        kBody.bottom - 1.5f, kBody.radius - 1.5f};
  const float sheen = std::abs((x - 52) / 44);  // brightest left of the middle
  p.paint(mix({0.95f, 0.96f, 0.97f}, {0.62f, 0.64f, 0.67f}, sheen), coverage(inner, x, y));
  p.paint({0.2f, 0.2f, 0.22f}, coverage(kEarpiece, x, y));
  p.paint({0.18f, 0.18f, 0.2f}, coverage(kScreenBezel, x, y));
  p.paint(mix({1.0f, 0.25f, 0.22f}, {0.55f, 0.0f, 0.02f}, (y - 23) / 40 + (x - 43) / 160),
          coverage(kScreen, x, y));
  // Twelve keys in four rows of three.
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col) {
      const float kx = 41 + col * 17.0f, ky = 74 + row * 11.0f;
      const RoundRect key{kx, ky, kx + 12, ky + 7, 3};
      p.paint(mix({0.5f, 0.52f, 0.56f}, {0.3f, 0.31f, 0.34f}, (y - ky) / 7), coverage(key, x, y));
    }
  }
  return p;
}

uint8_t to_byte(float v) {
  return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  put_u16(out, static_cast<uint16_t>(v));
  put_u16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::vector<uint32_t> handset_icon_pixels() {
  std::vector<uint32_t> pixels(kIconSize * kIconSize);
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const Pixel p = shade(x + 0.5f, y + 0.5f);
      pixels[y * kIconSize + x] = uint32_t{to_byte(p.alpha)} << 24 |
                                  uint32_t{to_byte(p.c.r)} << 16 | uint32_t{to_byte(p.c.g)} << 8 |
                                  to_byte(p.c.b);
    }
  }
  return pixels;
}

std::vector<uint8_t> handset_icon_file() {
  constexpr uint32_t kColourBytes = kIconSize * kIconSize * 4;
  constexpr uint32_t kMaskStride = kIconSize / 8;  // 16 bytes: already a multiple of 4
  constexpr uint32_t kMaskBytes = kMaskStride * kIconSize;
  constexpr uint32_t kImageBytes = 40 + kColourBytes + kMaskBytes;
  const std::vector<uint32_t> pixels = handset_icon_pixels();

  std::vector<uint8_t> out;
  out.reserve(kIconFileSize);
  put_u16(out, 0);  // icon directory: reserved, type 1 (icon), one image
  put_u16(out, 1);
  put_u16(out, 1);
  out.insert(out.end(), {kIconSize, kIconSize, 0, 0});  // width, height, palette, reserved
  put_u16(out, 1);                                      // planes
  put_u16(out, 32);                                     // bits per pixel
  put_u32(out, kImageBytes);
  put_u32(out, 6 + 16);  // the image follows the directory
  // BITMAPINFOHEADER: the height covers the colour rows and the mask rows.
  for (uint32_t v : {40u, uint32_t{kIconSize}, uint32_t{2 * kIconSize}}) {
    put_u32(out, v);
  }
  put_u16(out, 1);
  put_u16(out, 32);
  for (uint32_t v : {0u, kColourBytes + kMaskBytes, 0u, 0u, 0u, 0u}) {
    put_u32(out, v);
  }
  for (int y = kIconSize - 1; y >= 0; --y) {
    for (int x = 0; x < kIconSize; ++x) {
      put_u32(out, pixels[y * kIconSize + x]);  // 0xAARRGGBB stored little-endian is B, G, R, A
    }
  }
  for (int y = kIconSize - 1; y >= 0; --y) {
    for (uint32_t byte = 0; byte < kMaskStride; ++byte) {
      uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if ((pixels[y * kIconSize + byte * 8 + bit] >> 24) == 0) {
          bits |= static_cast<uint8_t>(0x80 >> bit);  // set: transparent
        }
      }
      out.push_back(bits);
    }
  }
  return out;
}

}  // namespace ui
