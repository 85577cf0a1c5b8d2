// A small valid form for the format tests: the window, a tab control with two
// pages, a group box on the second page holding a label, two menu items and,
// last, a timer. Tests change one thing and look at the diagnostic.
#pragma once

#include "image/form/form_types.h"

namespace form_test {

inline constexpr uint32_t kWindow = 0x06010000;
inline constexpr uint32_t kTab = 0x16000001;
inline constexpr uint32_t kGroup = 0x16000002;
inline constexpr uint32_t kLabel = 0x16000003;
inline constexpr uint32_t kMenuEntry = 0x26000001;
inline constexpr uint32_t kMenuItem = 0x26000002;
inline constexpr uint32_t kTimer = 0x16000004;

inline form::ControlRecord control(const char* name, uint32_t parent, form::Properties props) {
  form::ControlRecord r;
  r.name = name;
  r.geometry = {1, 2, 30, 40};
  r.parent = parent;
  r.properties = std::move(props);
  return r;
}

inline form::Form small_form() {
  form::Form f;
  f.window_id = 0x52010001;
  f.design_words = {7, 9};
  form::WindowProps window;
  window.caption = "w";
  window.icon = {1, 2, 3};
  auto w = control("", 0, window);
  w.events = {{0, 0x40}};
  f.elements.push_back({kWindow, w});

  form::TabControlProps tab;
  tab.page_captions = {"one", "two"};
  auto t = control("tab", 0, tab);
  t.children = {0, kGroup};
  f.elements.push_back({kTab, t});

  form::GroupBoxProps group;
  group.caption = "g";
  group.font = form::LogFont{-19, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 0, 0, "face"};
  auto g = control("group", kTab, group);
  g.children = {kLabel};
  f.elements.push_back({kGroup, g});

  form::LabelProps label;
  label.caption = "<b>x</b>";
  f.elements.push_back({kLabel, control("label", kGroup, label)});

  form::MenuItemRecord entry;
  entry.caption = "menu";
  f.elements.push_back({kMenuEntry, entry});
  form::MenuItemRecord item;
  item.level = 1;
  item.caption = "exit";
  item.handler = 0x20;
  f.elements.push_back({kMenuItem, item});

  form::TimerProps timer;
  timer.interval_ms = 250;
  auto tm = control("timer", 0, timer);
  tm.events = {{0, 0}};
  f.elements.push_back({kTimer, tm});
  return f;
}

}  // namespace form_test
