// The build plan on the recording backend: what is made in which order and
// where, which group boxes are lowered, and where the focus starts.
#include <functional>
#include <memory>

#include "image/form/form_writer.h"
#include "platform/core/window/backend.h"
#include "platform/core/window/window_api.h"
#include "tests/window_logic/logic_fixture.h"

namespace window_logic_test {
namespace {

using form::state::Disabled;
using form::state::TabStop;
using form::state::Visible;

constexpr uint32_t kTab = 0x16000001;
constexpr uint32_t kGroup = 0x16000002;
constexpr uint32_t kLabel = 0x16000003;
constexpr uint32_t kTimer = 0x16000004;
constexpr uint32_t kEdit = 0x16000005;
constexpr uint32_t kIdleTimer = 0x16000006;

form::MenuItemRecord menu_item(const char* caption, uint32_t level, uint32_t handler) {
  form::MenuItemRecord m;
  m.caption = caption;
  m.level = level;
  m.handler = handler;
  return m;
}

form::TabControlProps two_pages() {
  form::TabControlProps tab;
  tab.page_captions = {"one", "two"};
  return tab;
}

class BuildPlan : public LogicTest {};

TEST_F(BuildPlan, ContainersComeFirstAndChildrenGoOnTheirPage) {
  form::TimerProps running;
  running.interval_ms = 250;
  auto tab = control("tab", 0, two_pages());
  tab.children = {kEdit, 0, kGroup};
  auto group = control("group", kTab, form::GroupBoxProps{});
  group.children = {kLabel};
  // The label comes first in the form, before the containers that hold it.
  load(form_of({
      {kLabel, control("label", kGroup, form::LabelProps{})},
      {0x26000001, menu_item("menu", 0, form::kNoHandler)},
      {0x26000002, menu_item("exit", 1, 0x20)},
      {0x26000003, menu_item("help", 0, 0x24)},
      {kGroup, group},
      {kTab, tab},
      {kEdit, control("edit", kTab, form::EditBoxProps{}, Visible | TabStop)},
      {kTimer, control("timer", 0, running)},
      {kIdleTimer, control("idle", 0, form::TimerProps{})},
  }));
  const std::vector<std::string> expected = {
      "window 0x6010000",
      "menu 0x26000001 menu as bar list",
      "menu 0x26000002 exit as list item",
      "menu 0x26000003 help as bar command",
      "create 0x16000001 in client",
      "create 0x16000002 in 0x16000001 page 1",
      "create 0x16000003 in 0x16000002",
      "create 0x16000005 in 0x16000001 page 0",
      "create 0x16000004 in client",
      "timer 0x16000004 250",  // stored running: started; the idle timer is not
      "create 0x16000006 in client",
      "lower 0x16000002",
      "show tab 0x16000005 start 0x16000005",
  };
  EXPECT_EQ(backend->log, expected);
  EXPECT_EQ(ran, (std::vector<uint32_t>{0x40}));  // the window's created handler, after show
}

TEST_F(BuildPlan, EveryGroupBoxIsLoweredInTheFormsOrder) {
  load(form_of({
      {kEdit, control("edit", 0, form::EditBoxProps{})},
      {kGroup, control("second", 0, form::GroupBoxProps{})},
      {kTab, control("first", 0, form::GroupBoxProps{})},
  }));
  const std::vector<std::string> tail(backend->log.end() - 3, backend->log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"lower 0x16000002", "lower 0x16000001",
                                            "show tab  start none"}));
}

// Each row puts one candidate before a plain button that takes the focus
// otherwise; the candidate's container, if any, comes first.
struct FocusRow {
  const char* what;
  std::function<std::vector<form::Element>()> elements;
  const char* shown;  // the show line: tab order and start
};

form::Element candidate(uint32_t parent, uint32_t flags, std::vector<form::EventBinding> ev = {}) {
  return {kEdit, control("candidate", parent, form::EditBoxProps{}, flags, std::move(ev))};
}

form::Element fallback() {
  return {kLabel, control("fallback", 0, form::ButtonProps{}, Visible | TabStop)};
}

form::Element group_of(uint32_t flags) {
  auto g = control("group", 0, form::GroupBoxProps{}, flags);
  g.children = {kEdit};
  return {kGroup, g};
}

form::Element tab_with_candidate_on(int page) {
  auto t = control("tab", 0, two_pages());
  t.children = page == 0 ? std::vector<uint32_t>{kEdit, 0} : std::vector<uint32_t>{0, kEdit};
  return {kTab, t};
}

TEST_F(BuildPlan, StartFocusGoesToTheFirstShownEnabledControlWithoutAFocusHandler) {
  const FocusRow rows[] = {
      {"takes it",
       [] {
         return std::vector{candidate(0, Visible | TabStop), fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000005"},
      {"no tab stop",
       [] {
         return std::vector{candidate(0, Visible), fallback()};
       },
       "show tab 0x16000003 start 0x16000003"},
      {"hidden",
       [] {
         return std::vector{candidate(0, TabStop), fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000003"},
      {"disabled",
       [] {
         return std::vector{candidate(0, Visible | Disabled | TabStop), fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000003"},
      {"got-focus handler",
       [] {
         return std::vector{candidate(0, Visible | TabStop, {{abi::event::GotFocus, 0x80}}),
                            fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000003"},
      {"in a disabled group",
       [] {
         return std::vector{group_of(Visible | Disabled), candidate(kGroup, Visible | TabStop),
                            fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000003"},
      {"in a hidden group",
       [] {
         return std::vector{group_of(0), candidate(kGroup, Visible | TabStop), fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000003"},
      {"on the first page",
       [] {
         return std::vector{tab_with_candidate_on(0), candidate(kTab, Visible | TabStop),
                            fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000005"},
      {"on the second page",
       [] {
         return std::vector{tab_with_candidate_on(1), candidate(kTab, Visible | TabStop),
                            fallback()};
       },
       "show tab 0x16000005,0x16000003 start 0x16000003"},
  };
  for (const FocusRow& row : rows) {
    load(form_of(row.elements()));
    EXPECT_EQ(backend->log.back(), row.shown) << row.what;
    core::window::shut_down();
  }
}

TEST_F(BuildPlan, TimersNeverTakeTheFocus) {
  load(form_of({{kTimer, control("timer", 0, form::TimerProps{}, Visible | TabStop)}}));
  EXPECT_EQ(backend->log.back(), "show tab  start none");
}

using BuildFaults = BuildPlan;

TEST_F(BuildFaults, AKindTheBackendCannotBuildIsNamed) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const form::Form f = form_of({{kLabel, control("label", 0, form::LabelProps{})}});
  EXPECT_DEATH(
      {
        core::window::attach_form(form::write_form(f), [](uint32_t) {});
        core::window::load_window(kWindowId, [] {
          auto b = std::make_unique<RecordingBackend>();
          b->refused_kind = abi::kind::Label;
          return b;
        });
      },
      "LoadStartWindow: no builder for a label");
}

TEST_F(BuildFaults, OnlyTheFormsWindowLoadsAndOnlyOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const form::Form f = form_of({});
  EXPECT_DEATH(load(f); load(f), "LoadStartWindow: the start window is already loaded");
  EXPECT_DEATH(
      {
        core::window::attach_form(form::write_form(f), [](uint32_t) {});
        core::window::load_window(0x52019999, [] { return std::make_unique<RecordingBackend>(); });
      },
      "the form holds no window 0x52019999");
}

}  // namespace
}  // namespace window_logic_test
