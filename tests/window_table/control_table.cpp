#include "tests/window_table/control_table.h"

#include <string_view>

namespace window_table {
namespace {

constexpr FontSpec kDefault{};
constexpr FontSpec kDigit{"Times New Roman", 29, 700};

ControlRow digit(const char* name, int left, int top, const char* caption) {
  return {name, Kind::Button, "分组框4", 1,     left,  top,   64,
          40,   caption,      kUnstated, false, false, kDigit};
}

}  // namespace

const std::vector<ControlRow>& control_rows() {
  using K = Kind;
  static const std::vector<ControlRow> rows = {
      // On the window.
      {"选择夹1", K::TabControl, nullptr, -1, 0, 8, 544, 376, "① 第一步 注册", kUnstated, false,
       false, kDefault},
      {"超文本浏览框2", K::HtmlBrowser, nullptr, -1, 2, 392, 544, 70, nullptr, kUnstated, false,
       false, kDefault},
      {"分组框1", K::GroupBox, nullptr, -1, 552, 9, 176, 447, "重点推荐", kRed, false, false,
       kDefault},
      {"超文本浏览框3", K::HtmlBrowser, "分组框1", -1, 6, 16, 165, 423, nullptr, kUnstated, false,
       false, kDefault},
      // Page one.
      {"分组框5", K::GroupBox, "选择夹1", 0, 40, 40, 472, 304, "★手机免费注册★", kDarkRed, false,
       false, kDefault},
      {"标签10", K::Label, "分组框5", 0, 64, 19, 216, 24, "① 第一步：填写手机号码，点击提交！",
       kRed, false, false, kDefault},
      {"标签8", K::Label, "分组框5", 0, 67, 56, 61, 32, "手机号码：", kBlack, false, false,
       kDefault},
      {"编辑框3", K::EditBox, "分组框5", 0, 136, 56, 152, 32, "填写手机号码", kBlack, true, false,
       kDefault},
      {"按钮16", K::Button, "分组框5", 0, 304, 56, 96, 32, "提交", kUnstated, false, false,
       kDefault},
      {"标签11", K::Label, "分组框5", 0, 64, 102, 216, 24, "② 第二步：填写语音验证码！", kRed,
       false, false, kDefault},
      {"标签9", K::Label, "分组框5", 0, 56, 137, 80, 32, "语音验证码：", kBlack, false, false,
       kDefault},
      {"编辑框4", K::EditBox, "分组框5", 0, 136, 137, 152, 32, "语音验证码", kUnstated, true, false,
       kDefault},
      {"按钮15", K::Button, "分组框5", 0, 136, 183, 152, 48, "注册", kUnstated, false, false,
       kDefault},
      {"标签7",
       K::Label,
       "分组框5",
       0,
       16,
       247,
       432,
       48,
       "本软件，只限★接听免费用户★---->★使用★\r\n如果你手机接电话收费，请勿使用！！！",
       kBlue,
       false,
       true,
       {"宋体", 19, 400}},
      {"时钟1", K::Timer, "分组框5", 0, 400, 24, 56, 40, nullptr, kUnstated, false, false,
       kDefault},
      {"超级链接框1", K::Hyperlink, "分组框5", 0, 400, 160, 48, 40, nullptr, kUnstated, false,
       false, kDefault},
      // Page two: the login area.
      {"分组框2", K::GroupBox, "选择夹1", 1, 16, 32, 240, 176, "★登录★", kRed, false, false,
       kDefault},
      {"标签3", K::Label, "分组框2", 1, 8, 32, 48, 24, "手机号：", kBlack, false, false, kDefault},
      {"编辑框2", K::EditBox, "分组框2", 1, 54, 32, 88, 27, "", kUnstated, true, false, kDefault},
      {"标签2", K::Label, "分组框2", 1, 8, 72, 48, 24, "验证码：", kBlack, false, false, kDefault},
      {"标签1", K::Label, "分组框2", 1, 8, 144, 168, 24, " 请输入验证码", kBlue, true, true,
       kDefault},
      {"编辑框1", K::EditBox, "选择夹1", 1, 70, 106, 88, 27, "", kUnstated, true, false, kDefault},
      {"图片框1", K::PictureBox, "选择夹1", 1, 168, 106, 58, 28, nullptr, kUnstated, true, false,
       kDefault},
      {"按钮1", K::Button, "选择夹1", 1, 70, 138, 88, 32, "登录", kUnstated, false, false,
       kDefault},
      // The status area.
      {"分组框3", K::GroupBox, "选择夹1", 1, 16, 215, 240, 151, "用户状态：", kRed, false, false,
       kDefault},
      {"标签5", K::Label, "分组框3", 1, 32, 17, 168, 24, "用户号码：", kBlue, true, true, kDefault},
      {"标签4", K::Label, "分组框3", 1, 32, 48, 168, 24, "用户组：普通会员", kBlue, true, true,
       kDefault},
      {"标签6", K::Label, "分组框3", 1, 32, 80, 168, 24, "免费通话时间还剩：  分钟", kBlue, true,
       true, kDefault},
      {"按钮2", K::Button, "分组框3", 1, 32, 113, 168, 32, "每周免费领取话费", kUnstated, false,
       false, kDefault},
      // The dial area.
      {"分组框4", K::GroupBox, "选择夹1", 1, 264, 32, 272, 336, "★拨打电话★", kRed, false, false,
       kDefault},
      {"拨打电话",
       K::EditBox,
       "分组框4",
       1,
       24,
       28,
       224,
       40,
       "",
       kBlue,
       true,
       true,
       {"Times New Roman", 29, 400}},
      digit("按钮3", 24, 88, "1"),
      digit("按钮4", 104, 88, "2"),
      digit("按钮5", 184, 88, "3"),
      digit("按钮6", 24, 152, "4"),
      digit("按钮7", 104, 152, "5"),
      digit("按钮8", 184, 152, "6"),
      digit("按钮9", 24, 211, "7"),
      digit("按钮10", 104, 210, "8"),
      digit("按钮11", 184, 208, "9"),
      {"按钮14",
       K::Button,
       "分组框4",
       1,
       24,
       271,
       64,
       40,
       "拨打",
       kUnstated,
       false,
       false,
       {"黑体", 19, 700}},
      digit("按钮13", 104, 272, "0"),
      {"按钮12",
       K::Button,
       "分组框4",
       1,
       184,
       272,
       64,
       40,
       "清除",
       kUnstated,
       false,
       false,
       {"宋体", 16, 700}},
  };
  return rows;
}

bool shown_at_start(const ControlRow& row) {
  return row.kind != Kind::Timer && row.kind != Kind::Hyperlink;
}

bool enabled_at_start(const ControlRow& row) {
  return std::string_view(row.name) != "按钮2";
}

bool takes_tab_focus(const ControlRow& row) {
  return row.kind == Kind::Button || row.kind == Kind::EditBox || row.kind == Kind::HtmlBrowser;
}

}  // namespace window_table
