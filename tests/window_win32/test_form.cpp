#include "tests/window_win32/test_form.h"

#include "runtime/abi.h"
#include "tests/form/form_builder.h"

namespace win32_test {
namespace {

form::ControlRecord at(form::ControlRecord r, form::Geometry g, uint32_t flags,
                       std::vector<form::EventBinding> events = {}) {
  r.geometry = g;
  r.state_flags = flags;
  r.events = std::move(events);
  return r;
}

constexpr uint32_t kShown = form::state::Visible;
constexpr uint32_t kTabbed = form::state::Visible | form::state::TabStop;

void put_u16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(v & 0xFF);
  b.push_back(v >> 8);
}

void put_u32(std::vector<uint8_t>& b, uint32_t v) {
  put_u16(b, v & 0xFFFF);
  put_u16(b, v >> 16);
}

}  // namespace

form::Form test_form(const std::string& page_address) {
  using form_test::control;
  form::Form f;
  f.window_id = kWindowId;
  form::WindowProps window;
  window.caption = "\xe1\xb0\xd2\xf4\xb1\xa6";  // 岚音宝
  f.elements.push_back({form_test::kWindow, at(control("", 0, window), {40, 30, 412, 348}, kShown,
                                               {{abi::event::Created, kCreated}})});

  form::ButtonProps button;
  button.caption = "\xc8\xb7\xb6\xa8";  // 确定
  f.elements.push_back({kButton, at(control("button", 0, button), {10, 10, 80, 24}, kTabbed,
                                    {{abi::event::Clicked, kButtonClicked}})});

  form::EditBoxProps edit;
  edit.content = "abc";
  edit.max_length = 5;
  f.elements.push_back({kEdit, at(control("edit", 0, edit), {100, 10, 120, 22}, kTabbed,
                                  {{abi::event::GotFocus, kEditGotFocus}})});

  form::LabelProps label;
  label.caption = "\xd7\xa2\xb2\xe1&x";  // 注册&x
  label.text_colour = 0x0000FF;
  label.background_colour = 0x00FFFF;
  label.font = form::LogFont{-16, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 0, 0, "\xba\xda\xcc\xe5"};
  f.elements.push_back({kLabel, at(control("label", 0, label), {230, 10, 100, 20}, kShown)});

  form::TabControlProps tab;
  tab.page_captions = {"\xd2\xbb", "\xb6\xfe"};  // 一, 二
  auto t = at(control("tab", 0, tab), {10, 40, 300, 150}, kShown);
  t.children = {kPageEdit, 0, kGroup};
  f.elements.push_back({kTab, t});

  form::EditBoxProps page_edit;
  page_edit.content = "p1";
  f.elements.push_back(
      {kPageEdit, at(control("page_edit", kTab, page_edit), {20, 40, 100, 22}, kTabbed)});

  form::GroupBoxProps group;
  group.caption = "\xd7\xe9";  // 组
  auto g = at(control("group", kTab, group), {20, 40, 200, 80}, kShown);
  g.children = {kGroupLabel};
  f.elements.push_back({kGroup, g});

  form::LabelProps inside;
  inside.caption = "inside";
  f.elements.push_back(
      {kGroupLabel, at(control("inside", kGroup, inside), {10, 20, 100, 20}, kShown)});

  form::PictureBoxProps picture;
  picture.frame_style = form::frame::SingleLine;
  picture.picture = bmp_file(4, 3, 0x0000FF);
  f.elements.push_back({kPicture, at(control("picture", 0, picture), {320, 40, 60, 40}, kShown)});

  form::HtmlBrowserProps html;
  html.address = page_address;
  f.elements.push_back({kHtml, at(control("html", 0, html), {10, 200, 300, 60}, kShown)});

  form::MenuItemRecord entry;
  entry.caption = "\xce\xc4\xbc\xfe";  // 文件
  f.elements.push_back({kMenuEntry, entry});
  form::MenuItemRecord item;
  item.level = 1;
  item.caption = "\xcd\xcb\xb3\xf6";  // 退出
  item.handler = kMenuChosen;
  f.elements.push_back({kMenuItem, item});

  form::TimerProps timer;
  f.elements.push_back({kTimer, at(control("timer", 0, timer), {0, 0, 0, 0}, kShown,
                                   {{abi::event::Tick, kTimerTick}})});
  return f;
}

std::vector<uint8_t> bmp_file(int width, int height, uint32_t colour) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t pixels = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> b{'B', 'M'};
  put_u32(b, 54 + pixels);
  put_u32(b, 0);
  put_u32(b, 54);
  put_u32(b, 40);
  put_u32(b, static_cast<uint32_t>(width));
  put_u32(b, static_cast<uint32_t>(height));
  put_u16(b, 1);
  put_u16(b, 24);
  put_u32(b, 0);
  put_u32(b, pixels);
  put_u32(b, 2835);
  put_u32(b, 2835);
  put_u32(b, 0);
  put_u32(b, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      b.push_back((colour >> 16) & 0xFF);  // blue, green, red
      b.push_back((colour >> 8) & 0xFF);
      b.push_back(colour & 0xFF);
    }
    b.resize(b.size() + stride - static_cast<uint32_t>(width) * 3, 0);
  }
  return b;
}

}  // namespace win32_test
