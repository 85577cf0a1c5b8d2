#include "platform/core/window/input_plan.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "image/form/form_reader.h"
#include "platform/gbk/gbk_codec.h"

namespace core::window {
namespace {

// Page one: the number, 提交, the voice code, 注册. Page two: the login
// number, the picture code, 登录, the weekly claim, then the dial pad: the
// number to call, the keys 1 to 9 and 0, 拨打, 清除.
constexpr std::array<std::string_view, 21> kTabOrder = {
    "编辑框3", "按钮16",   "编辑框4", "按钮15", "编辑框2", "编辑框1", "按钮1",
    "按钮2",   "拨打电话", "按钮3",   "按钮4",  "按钮5",   "按钮6",   "按钮7",
    "按钮8",   "按钮9",    "按钮10",  "按钮11", "按钮13",  "按钮14",  "按钮12"};

struct NamePair {
  std::string_view first;
  std::string_view second;
};

// Edit box, the button Enter in it clicks.
constexpr NamePair kEnterClicks[] = {
    {"编辑框3", "按钮16"}, {"编辑框4", "按钮15"},  {"编辑框2", "按钮1"},
    {"编辑框1", "按钮1"},  {"拨打电话", "按钮14"},
};

constexpr std::string_view kHelpItemCaption = "注册帮助";

// Controls without a caption of their own: the edit boxes take the caption of
// the label beside them, the picture box says what it shows, the strip under
// the tab control what it is.
constexpr NamePair kAccessibleNames[] = {
    {"编辑框3", "手机号码"},   {"编辑框4", "语音验证码"}, {"编辑框2", "手机号"},
    {"编辑框1", "验证码"},     {"拨打电话", "拨打电话"},  {"图片框1", "验证码图片"},
    {"超文本浏览框2", "广告"},
};

// Names are compared as the form stores them, in GBK: the one name is
// converted, not every control's.
uint32_t id_named(const form::Form& form, std::string_view utf8_name) {
  const std::string gbk_name = gbk::from_utf8(utf8_name);
  for (const form::Element& e : form.elements) {
    const auto* record = std::get_if<form::ControlRecord>(&e.record);
    if (record != nullptr && record->name == gbk_name) {
      return e.id;
    }
  }
  return 0;
}

// A caption as one line, each line break (CR LF) a blank, without
// surrounding blanks.
std::string one_line(std::string_view caption) {
  std::string line;
  for (size_t i = 0; i < caption.size(); ++i) {
    const bool line_break = caption.substr(i, 2) == "\r\n";
    line += line_break ? ' ' : caption[i];
    i += line_break ? 1 : 0;
  }
  const size_t begin = line.find_first_not_of(' ');
  if (begin == std::string::npos) {
    return {};
  }
  return line.substr(begin, line.find_last_not_of(' ') - begin + 1);
}

std::string caption_of(const form::ControlRecord& record) {
  if (const auto* p = std::get_if<form::LabelProps>(&record.properties)) {
    return one_line(p->caption);
  }
  if (const auto* p = std::get_if<form::ButtonProps>(&record.properties)) {
    return one_line(p->caption);
  }
  if (const auto* p = std::get_if<form::GroupBoxProps>(&record.properties)) {
    return one_line(p->caption);
  }
  return {};
}

}  // namespace

size_t tab_rank(const form::ControlRecord& record) {
  const std::string name = gbk::to_utf8(record.name);
  return static_cast<size_t>(std::find(kTabOrder.begin(), kTabOrder.end(), name) -
                             kTabOrder.begin());
}

std::vector<std::pair<uint32_t, uint32_t>> enter_clicks(const form::Form& form) {
  std::vector<std::pair<uint32_t, uint32_t>> pairs;
  for (const NamePair& p : kEnterClicks) {
    const uint32_t edit = id_named(form, p.first);
    const uint32_t button = id_named(form, p.second);
    if (edit != 0 && button != 0) {
      pairs.emplace_back(edit, button);
    }
  }
  return pairs;
}

uint32_t help_item(const form::Form& form) {
  for (const form::Element& e : form.elements) {
    const auto* item = std::get_if<form::MenuItemRecord>(&e.record);
    if (item != nullptr && item->handler != form::kNoHandler &&
        gbk::to_utf8(item->caption) == kHelpItemCaption) {
      return e.id;
    }
  }
  return 0;
}

std::string accessible_name(const form::Form& form, const form::ControlRecord& record) {
  const std::string name = gbk::to_utf8(record.name);
  for (const NamePair& p : kAccessibleNames) {
    if (p.first == name) {
      return gbk::from_utf8(p.second);
    }
  }
  if (std::string caption = caption_of(record); !caption.empty()) {
    return caption;
  }
  if (std::holds_alternative<form::HtmlBrowserProps>(record.properties)) {
    const form::Element* parent = form::find_element(form, record.parent);
    const auto* group = parent ? std::get_if<form::ControlRecord>(&parent->record) : nullptr;
    if (group != nullptr && std::holds_alternative<form::GroupBoxProps>(group->properties)) {
      return caption_of(*group);
    }
  }
  return {};
}

}  // namespace core::window
