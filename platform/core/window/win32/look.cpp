#include "platform/core/window/win32/look.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gbk/gbk_codec.h"

namespace core::window {
namespace {

constexpr int kWindowFontPixels = 12;

}  // namespace

Colours make_colours(uint32_t text, uint32_t background) {
  Colours c{text, background, nullptr};
  if (has_colour(background)) {
    c.brush.reset(CreateSolidBrush(background));
  }
  return c;
}

HBRUSH paint_colours(HDC dc, const Colours& colours) {
  if (has_colour(colours.text)) {
    SetTextColor(dc, colours.text);
  }
  if (!colours.brush) {
    return nullptr;
  }
  SetBkColor(dc, colours.background);
  return colours.brush.get();
}

FontOwner make_window_font() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW lf{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    lf = metrics.lfMessageFont;
  } else {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  }
  lf.lfHeight = -kWindowFontPixels;
  lf.lfWidth = 0;
  return FontOwner(CreateFontIndirectW(&lf));
}

FontOwner make_font(const form::Font& font) {
  if (!font) {
    return nullptr;
  }
  const int height = std::abs(font->height);
  LOGFONTW lf{};
  lf.lfHeight = -(height > 0 ? height : kWindowFontPixels);
  lf.lfWeight = font->weight > 0 ? std::min(font->weight, 1000) : FW_NORMAL;
  lf.lfItalic = font->italic != 0;
  lf.lfUnderline = font->underline != 0;
  lf.lfStrikeOut = font->strike_out != 0;
  lf.lfCharSet = font->char_set;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = font->pitch_and_family;
  const std::wstring face = to_wide(font->face_name);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return FontOwner(CreateFontIndirectW(&lf));
}

FrameStyles static_frame(uint32_t frame_style) {
  switch (frame_style) {
    case form::frame::None:
      return {};
    case form::frame::SingleLine:
      return {WS_BORDER, 0};
    default:  // sunken, and the raised and etched kinds drawn alike
      return {SS_SUNKEN, 0};
  }
}

FrameStyles edit_frame(uint32_t frame_style) {
  switch (frame_style) {
    case form::frame::None:
      return {};
    case form::frame::SingleLine:
      return {WS_BORDER, 0};
    default:
      return {0, WS_EX_CLIENTEDGE};
  }
}

DWORD label_alignment(uint32_t horizontal, uint32_t vertical, bool word_wrap) {
  DWORD style = horizontal == 1 ? SS_CENTER : horizontal == 2 ? SS_RIGHT : SS_LEFT;
  if (!word_wrap && horizontal == 0) {
    style = SS_LEFTNOWORDWRAP;
  }
  // A static centres vertically only as one line.
  if (vertical == 1 && !word_wrap) {
    style |= SS_CENTERIMAGE;
  }
  return style;
}

DWORD edit_alignment(uint32_t horizontal) {
  return horizontal == 1 ? ES_CENTER : horizontal == 2 ? ES_RIGHT : ES_LEFT;
}

std::wstring to_wide(std::string_view gbk_text) {
  const std::u16string text = gbk::to_utf16(gbk_text);
  return std::wstring(text.begin(), text.end());
}

std::string from_wide(std::wstring_view text) {
  return gbk::from_utf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace core::window
