// The main window's form as the image carries it.
#include <gtest/gtest.h>

#include <set>

#include "image/form/form_reader.h"
#include "runtime/abi.h"
#include "ui/control_ids.h"
#include "ui/form_tables.h"
#include "ui/handset_icon.h"

namespace {

using namespace ui::id;

class ProgramForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bytes_ = new std::vector<uint8_t>(ui::build_form_section());
    const form::FormResult result = form::validate_form(*bytes_);
    ASSERT_TRUE(result.ok()) << result.error;
    form_ = new form::Form(*result.form);
  }
  static void TearDownTestSuite() {
    delete form_;
    delete bytes_;
  }

  static const form::ControlRecord& control(uint32_t id) {
    const form::Element* e = form::find_element(*form_, id);
    EXPECT_NE(e, nullptr) << std::hex << id;
    return std::get<form::ControlRecord>(e->record);
  }
  template <class P>
  static const P& props(uint32_t id) {
    return std::get<P>(control(id).properties);
  }

  static std::vector<uint8_t>* bytes_;
  static form::Form* form_;
};
std::vector<uint8_t>* ProgramForm::bytes_ = nullptr;
form::Form* ProgramForm::form_ = nullptr;

TEST_F(ProgramForm, ReadsBackAsTheTablesBuiltIt) {
  EXPECT_EQ(*form_, ui::build_form());
}

TEST_F(ProgramForm, ElementOrderIsWindowControlsMenuThenTheTwoContainers) {
  const auto& els = form_->elements;
  ASSERT_EQ(els.size(), 64u);
  EXPECT_EQ(form_->window_id, 0x52010001u);
  EXPECT_EQ(els[0].id, 0x06010000u);
  for (size_t i = 1; i <= 41; ++i) {
    EXPECT_EQ(form::kind_code(els[i]) & 0xFFFF0000u,
              els[i].id == 超文本浏览框2 || els[i].id == 超文本浏览框3 ? 0x40000u : 0x10000u);
    EXPECT_EQ(els[i].id >> 24, 0x16u) << i;
  }
  for (size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(els[42 + i].id, ui::menu_rows()[i].id);
  }
  EXPECT_EQ(els[62].id, 分组框1);
  EXPECT_EQ(els[63].id, 选择夹1);
}

TEST_F(ProgramForm, KindsAreCountedAsTheWindowHasThem) {
  std::map<uint32_t, int> kinds;
  for (const form::Element& e : form_->elements) {
    ++kinds[form::kind_code(e)];
  }
  const std::map<uint32_t, int> expected = {
      {abi::kind::Window, 1},     {abi::kind::MenuItem, 20},      {abi::kind::EditBox, 5},
      {abi::kind::PictureBox, 1}, {abi::kind::GroupBox, 5},       {abi::kind::Label, 11},
      {abi::kind::Button, 16},    {abi::kind::TabControl, 1},     {abi::kind::HyperlinkBox, 1},
      {abi::kind::Timer, 1},      {abi::kind::HtmlBrowserBox, 2},
  };
  EXPECT_EQ(kinds, expected);
}

// Where the containers and a few controls land in the client area, adding
// up the parents' positions (the tab control's children are placed relative
// to the tab control itself).
TEST_F(ProgramForm, AbsolutePositionsAddUpThroughTheParents) {
  struct Row {
    uint32_t id;
    int left, top;
  };
  const Row rows[] = {{选择夹1, 0, 8},         {分组框5, 40, 48},   {分组框2, 16, 40},
                      {分组框3, 16, 223},      {分组框4, 264, 40},  {分组框1, 552, 9},
                      {编辑框1, 70, 114},      {图片框1, 168, 114}, {按钮1, 70, 146},
                      {超文本浏览框3, 558, 25}};
  for (const Row& row : rows) {
    int left = 0, top = 0;
    for (uint32_t id = row.id; id != 0; id = control(id).parent) {
      left += control(id).geometry.left;
      top += control(id).geometry.top;
    }
    EXPECT_EQ(left, row.left) << std::hex << row.id;
    EXPECT_EQ(top, row.top) << std::hex << row.id;
  }
}

TEST_F(ProgramForm, DialPadKeepsItsUnevenRows) {
  struct Row {
    uint32_t id;
    int left, top;
    const char* caption;
  };
  const Row rows[] = {
      {按钮3, 24, 88, "1"},    {按钮4, 104, 88, "2"},
      {按钮5, 184, 88, "3"},   {按钮6, 24, 152, "4"},
      {按钮7, 104, 152, "5"},  {按钮8, 184, 152, "6"},
      {按钮9, 24, 211, "7"},   {按钮10, 104, 210, "8"},
      {按钮11, 184, 208, "9"}, {按钮14, 24, 271, "\xb2\xa6\xb4\xf2"},
      {按钮13, 104, 272, "0"}, {按钮12, 184, 272, "\xc7\xe5\xb3\xfd"},
  };
  for (const Row& row : rows) {
    const form::ControlRecord& c = control(row.id);
    EXPECT_EQ(c.parent, 分组框4);
    EXPECT_EQ(c.geometry, (form::Geometry{row.left, row.top, 64, 40})) << row.caption;
    EXPECT_EQ(props<form::ButtonProps>(row.id).caption, row.caption);
    ASSERT_TRUE(props<form::ButtonProps>(row.id).font.has_value());
  }
  const form::LogFont& digit = *props<form::ButtonProps>(按钮5).font;
  EXPECT_EQ(digit.face_name, "Times New Roman");
  EXPECT_EQ(digit.weight, 700);
  EXPECT_EQ(digit.height, -29);
  const form::LogFont& dial = *props<form::ButtonProps>(按钮14).font;
  EXPECT_EQ(dial.face_name, "\xba\xda\xcc\xe5");  // 黑体
  EXPECT_EQ(dial.char_set, 134);
}

TEST_F(ProgramForm, StatesAndLimitsAtStart) {
  for (const form::Element& e : form_->elements) {
    const auto* c = std::get_if<form::ControlRecord>(&e.record);
    if (!c) {
      continue;
    }
    const bool hidden = e.id == 时钟1 || e.id == 超级链接框1;
    EXPECT_EQ((c->state_flags & form::state::Visible) == 0, hidden) << std::hex << e.id;
    EXPECT_EQ((c->state_flags & form::state::Disabled) != 0, e.id == 按钮2) << std::hex << e.id;
    if (const auto* edit = std::get_if<form::EditBoxProps>(&c->properties)) {
      EXPECT_EQ(edit->max_length, e.id == 编辑框2 ? 11u : 0u);
      EXPECT_EQ(edit->multi_line, 0u);
    }
  }
  EXPECT_EQ(props<form::TimerProps>(时钟1).interval_ms, 0u);
}

TEST_F(ProgramForm, CaptionsAreStoredInGbkByteForByte) {
  const std::string& window = props<form::WindowProps>(0x06010000).caption;
  EXPECT_NE(window.find("15\xb7\xd6\xd6\xd3  \xa1\xef\xcf\xde\xa1\xef"), std::string::npos);
  EXPECT_EQ(props<form::LabelProps>(标签6).caption.substr(16),
            "\xa3\xba  \xb7\xd6\xd6\xd3");                                      // "：  分钟"
  EXPECT_EQ(props<form::LabelProps>(标签1).caption.substr(0, 3), " \xc7\xeb");  // " 请"
  EXPECT_NE(props<form::LabelProps>(标签7).caption.find("\xa1\xef\r\n\xc8\xe7"), std::string::npos);
}

// The header: first word, window id, two design-time words, group id, two
// zero words, element count, then the byte count of everything after it.
TEST_F(ProgramForm, HeaderCountsTheBytesAfterIt) {
  constexpr size_t kCountAt = 8 * 4;
  constexpr uint32_t kBytesAfterTheCount = 78'486;
  ASSERT_GE(bytes_->size(), kCountAt + 4);
  const uint32_t stored = static_cast<uint32_t>((*bytes_)[kCountAt]) |
                          static_cast<uint32_t>((*bytes_)[kCountAt + 1]) << 8 |
                          static_cast<uint32_t>((*bytes_)[kCountAt + 2]) << 16 |
                          static_cast<uint32_t>((*bytes_)[kCountAt + 3]) << 24;
  EXPECT_EQ(stored, kBytesAfterTheCount);
  EXPECT_EQ(bytes_->size(), kCountAt + 4 + kBytesAfterTheCount);
}

TEST_F(ProgramForm, BrowserBoxesStartAtDesignTimeAddressesWithTheirTails) {
  const std::string& strip = props<form::HtmlBrowserProps>(超文本浏览框2).address;
  const std::string& panel = props<form::HtmlBrowserProps>(超文本浏览框3).address;
  EXPECT_TRUE(strip.ends_with("\\ad\\4.html")) << strip;
  EXPECT_TRUE(panel.ends_with("\\ad\\2.html")) << panel;
  // The same developer folder in front of both.
  EXPECT_EQ(strip.substr(0, strip.size() - 10), panel.substr(0, panel.size() - 10));
}

TEST_F(ProgramForm, EveryHandlerRoutineIsBoundOnce) {
  std::multiset<uint32_t> offsets;
  for (const form::Element& e : form_->elements) {
    if (const auto* c = std::get_if<form::ControlRecord>(&e.record)) {
      for (const form::EventBinding& b : c->events) {
        offsets.insert(b.code_offset);
      }
    } else if (const auto& m = std::get<form::MenuItemRecord>(e.record);
               m.handler != form::kNoHandler) {
      offsets.insert(m.handler);
    }
  }
  ASSERT_EQ(offsets.size(), 38u);
  // The handlers are the first 38 routines of the routine table.
  for (uint32_t i = 0; i < 38; ++i) {
    EXPECT_EQ(offsets.count(i * program::kRoutineRecordSize), 1u) << program::kRoutineNames[i];
  }
}

TEST_F(ProgramForm, MenuTreeHasFourEntriesAndUnboundTopLevel) {
  std::vector<int> items_per_entry;
  for (size_t i = 42; i < 62; ++i) {
    const auto& m = std::get<form::MenuItemRecord>(form_->elements[i].record);
    EXPECT_EQ(m.shortcut, 0u);
    EXPECT_EQ(m.state_flags, 0u);
    if (m.level == 0) {
      EXPECT_EQ(m.handler, form::kNoHandler);
      items_per_entry.push_back(0);
    } else {
      EXPECT_NE(m.handler, form::kNoHandler);
      ++items_per_entry.back();
    }
  }
  EXPECT_EQ(items_per_entry, (std::vector<int>{1, 1, 13, 1}));
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(HandsetIcon, IsACompleteIconFileOf67646Bytes) {
  const std::vector<uint8_t> ico = ui::handset_icon_file();
  ASSERT_EQ(ico.size(), 67646u);
  EXPECT_EQ(le32(ico, 0), 0x00010000u);   // reserved 0, type 1
  EXPECT_EQ(ico[4] | ico[5] << 8, 1);     // one image
  EXPECT_EQ(ico[6], 128);                 // width
  EXPECT_EQ(ico[7], 128);                 // height
  EXPECT_EQ(ico[12] | ico[13] << 8, 32);  // bits per pixel
  EXPECT_EQ(le32(ico, 14), 67624u);       // image bytes
  EXPECT_EQ(le32(ico, 18), 22u);          // image offset
  EXPECT_EQ(le32(ico, 22), 40u);          // bitmap header size
  EXPECT_EQ(le32(ico, 26), 128u);
  EXPECT_EQ(le32(ico, 30), 256u);  // colour and mask rows
  EXPECT_EQ(ico[36] | ico[37] << 8, 32);
  // The corners are transparent (mask bit set, alpha 0); the middle is opaque.
  const size_t colour = 62, mask = 62 + 65536;
  EXPECT_EQ(ico[colour + 3], 0);
  EXPECT_EQ(ico[mask] & 0x80, 0x80);
  const size_t middle = colour + (64 * 128 + 64) * 4;
  EXPECT_EQ(ico[middle + 3], 255);
  EXPECT_EQ(ico[mask + 64 * 16 + 8] & 0x80, 0);
}

TEST_F(ProgramForm, WindowCarriesTheIconAndStyleWords) {
  const auto& w = props<form::WindowProps>(0x06010000);
  EXPECT_EQ(w.icon, ui::handset_icon_file());
  EXPECT_EQ(w.style_words[2], 0xFF000000u);
  EXPECT_EQ(control(0x06010000).geometry, (form::Geometry{50, 50, 740, 510}));
  EXPECT_EQ(le32(*bytes_, 32), bytes_->size() - 36);
}

}  // namespace
