// The form description: one window, its controls and its menu items, as the
// image stores them. These are the decoded records; form_writer.h turns them
// into bytes and form_reader.h turns validated bytes back into them.
//
// Texts are GBK bytes held in std::string; binary data (pictures, icons,
// mouse pointers) is held in Bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace form {

using Bytes = std::vector<uint8_t>;

inline constexpr uint32_t kFirstWord = 8;
inline constexpr uint32_t kGroupId = 0x1901002e;
inline constexpr size_t kHeaderSize = 36;  // nine words, the last one counting what follows it
inline constexpr uint32_t kNoColour = 0xFF000000;
inline constexpr uint32_t kNoHandler = 0xFFFFFFFF;  // a menu item without a handler stores -1

namespace state {
inline constexpr uint32_t Visible = 0x1;
inline constexpr uint32_t Disabled = 0x2;
inline constexpr uint32_t TabStop = 0x4;
inline constexpr uint32_t TabControlMark = 0x10;
}  // namespace state

// Frame styles the builder knows how to draw.
namespace frame {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Sunken = 1;
inline constexpr uint32_t SingleLine = 5;
}  // namespace frame

struct Geometry {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Geometry&) const = default;
};

// A Windows LOGFONTA (60 bytes). The face name holds at most 31 GBK bytes.
struct LogFont {
  int32_t height = 0;  // negative: character height in pixels
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strike_out = 0;
  uint8_t char_set = 0;
  uint8_t out_precision = 0;
  uint8_t clip_precision = 0;
  uint8_t quality = 0;
  uint8_t pitch_and_family = 0;
  std::string face_name;
  bool operator==(const LogFont&) const = default;
};
inline constexpr size_t kLogFontSize = 60;
inline constexpr size_t kFaceNameSize = 32;

using Font = std::optional<LogFont>;  // none: the window's default font

struct EventBinding {
  int32_t event = 0;
  uint32_t code_offset = 0;
  bool operator==(const EventBinding&) const = default;
};

struct WindowProps {
  static constexpr uint32_t kVersion = 6;
  std::array<uint32_t, 18> style_words{};
  std::string text1;
  Bytes picture;
  Bytes icon;
  Bytes sound;
  std::string caption;
  std::string text2;
  bool operator==(const WindowProps&) const = default;
};

struct LabelProps {
  static constexpr uint32_t kVersion = 2;
  std::array<uint32_t, 2> lead_words{0, 8};
  uint32_t frame_style = frame::None;
  std::array<uint32_t, 3> frame_colours{0x808080, 0xFFFFFF, 0x808080};
  uint32_t text_colour = 0;
  uint32_t background_colour = kNoColour;
  std::array<uint32_t, 2> middle_words{1, 0};
  std::array<uint32_t, 3> frame_colours2{0x808080, 0xFFFFFF, 0x808080};
  uint32_t horizontal_alignment = 0;  // 0 left, 1 centred, 2 right
  uint32_t vertical_alignment = 1;    // 0 top, 1 centred, 2 bottom
  uint32_t word_wrap = 0;
  Font font;
  Bytes picture;
  std::string caption;
  std::array<std::string, 2> trailing_texts;
  bool operator==(const LabelProps&) const = default;
};

struct ButtonProps {
  static constexpr uint32_t kVersion = 1;
  std::array<uint32_t, 3> style_words{1, 1, 1};
  Bytes picture;
  Font font;
  std::string caption;
  bool operator==(const ButtonProps&) const = default;
};

struct EditBoxProps {
  static constexpr uint32_t kVersion = 2;
  uint32_t frame_style = frame::Sunken;
  uint32_t text_colour = 0;
  uint32_t background_colour = 0xFFFFFF;
  uint32_t hide_selection = 1;
  uint32_t max_length = 0;  // 0: no limit
  uint32_t multi_line = 0;
  uint32_t scroll_bars = 0;
  uint32_t alignment = 0;  // 0 left, 1 centred, 2 right
  uint32_t input_mode = 0;
  uint16_t password_char = '*';
  uint32_t case_conversion = 0;
  uint32_t spinner_mode = 0;
  uint32_t spinner_lower = 0;
  uint32_t spinner_upper = 100;
  uint32_t selection_start = 0;
  uint32_t selection_length = 0;
  Font font;
  std::string content;
  std::array<std::string, 2> trailing_texts;
  bool operator==(const EditBoxProps&) const = default;
};

struct GroupBoxProps {
  static constexpr uint32_t kVersion = 1;
  uint32_t lead_word = 0;
  uint32_t text_colour = 0;
  uint32_t background_colour = kNoColour;
  Font font;
  std::string caption;
  bool operator==(const GroupBoxProps&) const = default;
};

struct PictureBoxProps {
  static constexpr uint32_t kVersion = 2;
  uint32_t frame_style = frame::None;
  uint32_t background_colour = kNoColour;
  Bytes picture;
  std::array<uint32_t, 4> tail_words{1, 0, 0, 0};
  bool operator==(const PictureBoxProps&) const = default;
};

struct TabControlProps {
  static constexpr uint32_t kVersion = 3;
  std::array<uint32_t, 4> lead_words{};
  uint32_t word_one = 1;
  uint32_t background_colour = kNoColour;
  uint32_t tail_word = 0;
  std::vector<std::string> page_captions;  // stored with a u16 count
  bool operator==(const TabControlProps&) const = default;
};

struct HyperlinkBoxProps {
  static constexpr uint32_t kVersion = 1;
  uint32_t lead_word = 1;
  std::array<uint32_t, 3> colours{0x00FF0000, 0x00000080, 0x006A240A};
  uint32_t background_colour = kNoColour;
  std::array<uint32_t, 5> tail_words{};
  bool operator==(const HyperlinkBoxProps&) const = default;
};

struct TimerProps {
  static constexpr uint32_t kVersion = 1;
  uint32_t interval_ms = 0;
  bool operator==(const TimerProps&) const = default;
};

struct HtmlBrowserProps {
  static constexpr uint32_t kVersion = 1;
  uint32_t lead_word = 2;
  std::array<uint32_t, 2> zero_words{};
  std::string address;
  bool operator==(const HtmlBrowserProps&) const = default;
};

// The alternative held names the kind; kind_code() maps it to the stored code.
using Properties =
    std::variant<WindowProps, LabelProps, ButtonProps, EditBoxProps, GroupBoxProps, PictureBoxProps,
                 TabControlProps, HyperlinkBoxProps, TimerProps, HtmlBrowserProps>;

// The window or one control.
struct ControlRecord {
  std::string name;
  std::string comment;
  Geometry geometry;
  uint32_t parent = 0;  // 0: the window's client area
  // Group boxes and the tab control only; the tab control's pages are
  // separated by an id 0.
  std::vector<uint32_t> children;
  Bytes mouse_pointer;
  std::string tag;
  uint32_t state_flags = state::Visible;
  std::vector<EventBinding> events;
  Properties properties;
  bool operator==(const ControlRecord&) const = default;
};

struct MenuItemRecord {
  std::string name;
  std::string comment;
  uint32_t shortcut = 0;
  uint32_t level = 0;  // 0: an entry of the menu bar; 1: an item of the last entry's list
  uint32_t state_flags = 0;
  std::string caption;
  uint32_t handler = kNoHandler;  // code offset, or kNoHandler
  bool operator==(const MenuItemRecord&) const = default;
};

struct Element {
  uint32_t id = 0;
  std::variant<ControlRecord, MenuItemRecord> record;
  bool operator==(const Element&) const = default;
};

struct Form {
  uint32_t window_id = 0;
  std::array<uint32_t, 2> design_words{};
  std::vector<Element> elements;
  bool operator==(const Form&) const = default;
};

uint32_t kind_code(const Properties& properties);
uint32_t kind_code(const Element& element);
const char* kind_name(uint32_t kind_code);  // "button", ...; "unknown" for others

}  // namespace form
