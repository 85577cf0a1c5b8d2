// The 43 controls of the main window. Positions are (left, top, width,
// height) relative to the parent: the window's client area (parent 0), a
// group box, or the tab control itself.
#include <algorithm>
#include <optional>

#include "ui/control_ids.h"
#include "ui/form_tables.h"
#include "ui/gbk_literal.h"

namespace ui {
namespace {

using namespace ui::id;
using form::Geometry;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kDarkRed = 0x000080;
constexpr uint32_t kBlue = 0xFF0000;

constexpr uint32_t kLeft = 0;
constexpr uint32_t kCentred = 1;

constexpr uint8_t kAnsi = 0;
constexpr uint8_t kGb2312 = 134;

constexpr FontRow kDigitFont{"Times New Roman", 29, 700, kAnsi};
constexpr FontRow kDialFont{"黑体", 19, 700, kGb2312};
constexpr FontRow kClearFont{"宋体", 16, 700, kGb2312};
constexpr FontRow kWarningFont{"宋体", 19, 400, kGb2312};
constexpr FontRow kNumberFont{"Times New Roman", 29, 400, kAnsi};

constexpr uint32_t kShown = form::state::Visible;
constexpr uint32_t kShownTabStop = form::state::Visible | form::state::TabStop;

struct LabelRow {
  std::string_view name;
  uint32_t id;
  uint32_t parent;
  Geometry at;
  std::string_view caption;
  uint32_t colour;
  uint32_t frame = form::frame::None;
  uint32_t alignment = kLeft;
  bool word_wrap = false;
  const FontRow* font = nullptr;
};

const LabelRow kLabels[] = {
    {"标签10", 标签10, 分组框5, {64, 19, 216, 24}, "① 第一步：填写手机号码，点击提交！", kRed},
    {"标签8", 标签8, 分组框5, {67, 56, 61, 32}, "手机号码：", kBlack},
    {"标签11", 标签11, 分组框5, {64, 102, 216, 24}, "② 第二步：填写语音验证码！", kRed},
    {"标签9", 标签9, 分组框5, {56, 137, 80, 32}, "语音验证码：", kBlack},
    {"标签7",
     标签7,
     分组框5,
     {16, 247, 432, 48},
     "本软件，只限★接听免费用户★---->★使用★\r\n如果你手机接电话收费，请勿使用！！！",
     kBlue,
     form::frame::None,
     kCentred,
     true,
     &kWarningFont},
    {"标签3", 标签3, 分组框2, {8, 32, 48, 24}, "手机号：", kBlack},
    {"标签2", 标签2, 分组框2, {8, 72, 48, 24}, "验证码：", kBlack},
    {"标签1",
     标签1,
     分组框2,
     {8, 144, 168, 24},
     " 请输入验证码",
     kBlue,
     form::frame::SingleLine,
     kCentred},
    {"标签5",
     标签5,
     分组框3,
     {32, 17, 168, 24},
     "用户号码：",
     kBlue,
     form::frame::SingleLine,
     kCentred},
    {"标签4",
     标签4,
     分组框3,
     {32, 48, 168, 24},
     "用户组：普通会员",
     kBlue,
     form::frame::SingleLine,
     kCentred},
    {"标签6",
     标签6,
     分组框3,
     {32, 80, 168, 24},
     "免费通话时间还剩：  分钟",
     kBlue,
     form::frame::SingleLine,
     kCentred},
};

struct ButtonRow {
  std::string_view name;
  uint32_t id;
  uint32_t parent;
  Geometry at;
  std::string_view caption;
  const FontRow* font = nullptr;
  bool disabled = false;
};

// The dial pad's third and fourth rows have uneven tops.
const ButtonRow kButtons[] = {
    {"按钮16", 按钮16, 分组框5, {304, 56, 96, 32}, "提交"},
    {"按钮15", 按钮15, 分组框5, {136, 183, 152, 48}, "注册"},
    {"按钮1", 按钮1, 选择夹1, {70, 138, 88, 32}, "登录"},
    {"按钮2", 按钮2, 分组框3, {32, 113, 168, 32}, "每周免费领取话费", nullptr, true},
    {"按钮3", 按钮3, 分组框4, {24, 88, 64, 40}, "1", &kDigitFont},
    {"按钮4", 按钮4, 分组框4, {104, 88, 64, 40}, "2", &kDigitFont},
    {"按钮5", 按钮5, 分组框4, {184, 88, 64, 40}, "3", &kDigitFont},
    {"按钮6", 按钮6, 分组框4, {24, 152, 64, 40}, "4", &kDigitFont},
    {"按钮7", 按钮7, 分组框4, {104, 152, 64, 40}, "5", &kDigitFont},
    {"按钮8", 按钮8, 分组框4, {184, 152, 64, 40}, "6", &kDigitFont},
    {"按钮9", 按钮9, 分组框4, {24, 211, 64, 40}, "7", &kDigitFont},
    {"按钮10", 按钮10, 分组框4, {104, 210, 64, 40}, "8", &kDigitFont},
    {"按钮11", 按钮11, 分组框4, {184, 208, 64, 40}, "9", &kDigitFont},
    {"按钮14", 按钮14, 分组框4, {24, 271, 64, 40}, "拨打", &kDialFont},
    {"按钮13", 按钮13, 分组框4, {104, 272, 64, 40}, "0", &kDigitFont},
    {"按钮12", 按钮12, 分组框4, {184, 272, 64, 40}, "清除", &kClearFont},
};

struct EditBoxRow {
  std::string_view name;
  uint32_t id;
  uint32_t parent;
  Geometry at;
  std::string_view content;
  uint32_t frame;
  uint32_t colour = kBlack;
  uint32_t alignment = kLeft;
  uint32_t max_length = 0;
  const FontRow* font = nullptr;
};

const EditBoxRow kEditBoxes[] = {
    {"编辑框3", 编辑框3, 分组框5, {136, 56, 152, 32}, "填写手机号码", form::frame::Sunken},
    {"编辑框4", 编辑框4, 分组框5, {136, 137, 152, 32}, "语音验证码", form::frame::Sunken},
    {"编辑框2", 编辑框2, 分组框2, {54, 32, 88, 27}, "", form::frame::SingleLine, kBlack, kLeft, 11},
    {"编辑框1", 编辑框1, 选择夹1, {70, 106, 88, 27}, "", form::frame::SingleLine},
    {"拨打电话",
     拨打电话,
     分组框4,
     {24, 28, 224, 40},
     "",
     form::frame::Sunken,
     kBlue,
     kCentred,
     0,
     &kNumberFont},
};

struct GroupBoxRow {
  std::string_view name;
  uint32_t id;
  uint32_t parent;
  Geometry at;
  std::string_view caption;
  uint32_t colour;
};

const GroupBoxRow kGroupBoxes[] = {
    {"分组框1", 分组框1, 0, {552, 9, 176, 447}, "重点推荐", kRed},
    {"分组框5", 分组框5, 选择夹1, {40, 40, 472, 304}, "★手机免费注册★", kDarkRed},
    {"分组框2", 分组框2, 选择夹1, {16, 32, 240, 176}, "★登录★", kRed},
    {"分组框3", 分组框3, 选择夹1, {16, 215, 240, 151}, "用户状态：", kRed},
    {"分组框4", 分组框4, 选择夹1, {264, 32, 272, 336}, "★拨打电话★", kRed},
};

// The tab control's pages and the controls placed directly on each.
const std::vector<uint32_t> kTabPages[] = {
    {分组框5},
    {分组框2, 编辑框1, 图片框1, 按钮1, 分组框3, 分组框4},
};

form::Font font_of(const FontRow* row) {
  if (!row) {
    return std::nullopt;
  }
  form::LogFont f;
  f.height = -row->pixel_height;
  f.weight = row->weight;
  f.char_set = row->char_set;
  f.face_name = gbk(row->face);
  return f;
}

form::Element element(std::string_view name, uint32_t id, uint32_t parent, Geometry at,
                      uint32_t flags, form::Properties props) {
  form::ControlRecord r;
  r.name = gbk(name);
  r.geometry = at;
  r.parent = parent;
  r.state_flags = flags;
  r.events = events_of(id);
  r.properties = std::move(props);
  return {id, std::move(r)};
}

void add_labels(std::vector<form::Element>& out) {
  for (const LabelRow& row : kLabels) {
    form::LabelProps p;
    p.frame_style = row.frame;
    p.text_colour = row.colour;
    p.horizontal_alignment = row.alignment;
    p.word_wrap = row.word_wrap;
    p.font = font_of(row.font);
    p.caption = gbk(row.caption);
    out.push_back(element(row.name, row.id, row.parent, row.at, kShown, std::move(p)));
  }
}

void add_buttons(std::vector<form::Element>& out) {
  for (const ButtonRow& row : kButtons) {
    form::ButtonProps p;
    p.font = font_of(row.font);
    p.caption = gbk(row.caption);
    const uint32_t flags = kShownTabStop | (row.disabled ? form::state::Disabled : 0);
    out.push_back(element(row.name, row.id, row.parent, row.at, flags, std::move(p)));
  }
}

void add_edit_boxes(std::vector<form::Element>& out) {
  for (const EditBoxRow& row : kEditBoxes) {
    form::EditBoxProps p;
    p.frame_style = row.frame;
    p.text_colour = row.colour;
    p.background_colour = kWhite;
    p.alignment = row.alignment;
    p.max_length = row.max_length;
    p.font = font_of(row.font);
    p.content = gbk(row.content);
    out.push_back(element(row.name, row.id, row.parent, row.at, kShownTabStop, std::move(p)));
  }
}

void add_group_boxes(std::vector<form::Element>& out) {
  for (const GroupBoxRow& row : kGroupBoxes) {
    form::GroupBoxProps p;
    p.text_colour = row.colour;
    p.caption = gbk(row.caption);
    out.push_back(element(row.name, row.id, row.parent, row.at, kShown, std::move(p)));
  }
}

// The two browser boxes' design-time addresses: pages in the developer's work
// tree that the user's machine does not have; the created handler points the
// boxes at the real pages. The prefix's length is part of the stored form.
constexpr std::string_view kDesignTimePages =
    "D:\\工作\\项目\\岚音宝\\版本 1.4\\界面设计\\主窗口\\广告页面\\设计时预览\\"
    "pages-shown-in-the-form-designer-before-starting";

std::string design_time_address(std::string_view tail) {
  return gbk(std::string(kDesignTimePages) + std::string(tail));
}

void add_single_controls(std::vector<form::Element>& out) {
  form::TabControlProps tab;
  tab.page_captions = {gbk("① 第一步 注册"), gbk("② 第二步 打电话")};
  out.push_back(element("选择夹1", 选择夹1, 0, {0, 8, 544, 376},
                        kShown | form::state::TabControlMark, std::move(tab)));

  form::HtmlBrowserProps strip;
  strip.address = design_time_address("\\ad\\4.html");
  out.push_back(element("超文本浏览框2", 超文本浏览框2, 0, {2, 392, 544, 70}, kShownTabStop,
                        std::move(strip)));
  form::HtmlBrowserProps panel;
  panel.address = design_time_address("\\ad\\2.html");
  out.push_back(element("超文本浏览框3", 超文本浏览框3, 分组框1, {6, 16, 165, 423}, kShownTabStop,
                        std::move(panel)));

  form::PictureBoxProps picture;
  picture.frame_style = form::frame::SingleLine;
  out.push_back(
      element("图片框1", 图片框1, 选择夹1, {168, 106, 58, 28}, kShown, std::move(picture)));

  out.push_back(element("时钟1", 时钟1, 分组框5, {400, 24, 56, 40}, 0, form::TimerProps{}));
  out.push_back(element("超级链接框1", 超级链接框1, 分组框5, {400, 160, 48, 40}, 0,
                        form::HyperlinkBoxProps{}));
}

// Fills in each container's children: group boxes list theirs in table
// order, the tab control lists its pages separated by 0.
void link_children(std::vector<form::Element>& out) {
  for (form::Element& container : out) {
    auto& rec = std::get<form::ControlRecord>(container.record);
    if (container.id == 选择夹1) {
      rec.children = kTabPages[0];
      rec.children.push_back(0);
      rec.children.insert(rec.children.end(), kTabPages[1].begin(), kTabPages[1].end());
      continue;
    }
    if (!std::holds_alternative<form::GroupBoxProps>(rec.properties)) {
      continue;
    }
    for (const form::Element& child : out) {
      if (std::get<form::ControlRecord>(child.record).parent == container.id) {
        rec.children.push_back(child.id);
      }
    }
    std::sort(rec.children.begin(), rec.children.end());
  }
}

}  // namespace

std::vector<form::Element> control_elements() {
  std::vector<form::Element> out;
  add_single_controls(out);
  add_group_boxes(out);
  add_labels(out);
  add_buttons(out);
  add_edit_boxes(out);
  link_children(out);
  return out;
}

}  // namespace ui
