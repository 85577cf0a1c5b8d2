// The main window's 43 controls as the window's description lays them out,
// typed here for the tests that check the live widgets against them.
#pragma once

#include <cstdint>
#include <vector>

namespace window_table {

enum class Kind {
  TabControl,
  HtmlBrowser,
  GroupBox,
  Label,
  EditBox,
  Button,
  PictureBox,
  Timer,
  Hyperlink
};

// Colours as stored: 0x00BBGGRR.
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kDarkRed = 0x000080;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kUnstated = 0xFF000000;  // the tables give no colour

struct FontSpec {
  const char* family = nullptr;  // nullptr: the window's default font
  int pixel_height = 0;
  int weight = 0;
};

struct ControlRow {
  const char* name;
  Kind kind;
  const char* parent;  // nullptr: the window's client area
  int page;            // page of 选择夹1 (0 or 1) for controls on a page, -1 elsewhere
  int left, top, width, height;
  const char* caption;  // UTF-8; for a tab control its first page, for an edit box its content
  uint32_t text_colour;
  bool framed;   // labels, edit boxes and the picture box: drawn with a frame
  bool centred;  // horizontal alignment
  FontSpec font;
};

const std::vector<ControlRow>& control_rows();

// Kind rules: every control shows at start except the timer and the
// hyperlink box; only 按钮2 starts disabled; buttons, edit boxes and the
// browser boxes take the focus with Tab.
bool shown_at_start(const ControlRow& row);
bool enabled_at_start(const ControlRow& row);
bool takes_tab_focus(const ControlRow& row);

}  // namespace window_table
