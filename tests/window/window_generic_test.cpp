// The builder knows no program: a small form of its own builds just as well,
// and a malformed one is refused with the reader's message.
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include "image/form/form_writer.h"
#include "platform/core/window/qt/tab_control.h"
#include "platform/core/window/window_api.h"
#include "tests/form/form_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

class GenericForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form::Form f = form_test::small_form();
    std::get<form::ControlRecord>(f.elements[0].record).geometry = {0, 0, 312, 248};
    auto& tab = std::get<form::ControlRecord>(f.elements[1].record);
    tab.geometry = {5, 6, 200, 150};
    auto& group = std::get<form::ControlRecord>(f.elements[2].record);
    group.geometry = {10, 40, 150, 90};
    core::window::attach_form(form::write_form(f),
                              [this](uint32_t offset) { calls_.push_back(offset); });
    core::window::load_start_window(0x52010001);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* main = qobject_cast<QMainWindow*>(w)) {
        window_ = main;
      }
    }
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { core::window::shut_down(); }

  test_support::TempDir data_home_;
  test_support::ScopedEnv data_env_{"XDG_DATA_HOME", data_home_.path().string()};
  QMainWindow* window_ = nullptr;
  std::vector<uint32_t> calls_;
};

TEST_F(GenericForm, BuildsItsControlsWhereItsRecordsSay) {
  EXPECT_EQ(window_->centralWidget()->size(), QSize(300, 200));
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("w"));
  auto* tab = window_->findChild<core::window::TabControl*>(QStringLiteral("tab"));
  ASSERT_NE(tab, nullptr);
  auto* group = window_->findChild<QWidget*>(QStringLiteral("group"));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->parentWidget(), tab->page(1));  // listed after the page separator
  auto* label = window_->findChild<QLabel*>(QStringLiteral("label"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->parentWidget(), group);
  EXPECT_EQ(label->text(), QStringLiteral("<b>x</b>"));
  EXPECT_EQ(label->mapTo(window_->centralWidget(), QPoint(0, 0)), QPoint(5 + 10 + 1, 6 + 40 + 2));
  EXPECT_EQ(group->font().pixelSize(), 19);
  EXPECT_EQ(group->font().weight(), 700);
  const QList<QAction*> entries = window_->menuBar()->actions();
  ASSERT_EQ(entries.size(), 1);
  ASSERT_EQ(entries[0]->menu()->actions().size(), 1);
  entries[0]->menu()->actions()[0]->trigger();
  EXPECT_EQ(calls_, (std::vector<uint32_t>{0x40, 0x20}));  // created, then the menu item
}

TEST_F(GenericForm, TimerStoredRunningTicksFromTheStart) {
  EXPECT_TRUE(QTest::qWaitFor([this] { return calls_.size() >= 2; }, 3000));
  EXPECT_EQ(calls_.back(), 0u);  // the timer's tick, bound to offset 0
}

TEST(MalformedForm, IsRefusedWithTheReadersMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  form::Bytes bytes = form::write_form(form_test::small_form());
  bytes[0] = 9;
  EXPECT_DEATH(core::window::attach_form(bytes, [](uint32_t) {}),
               "form description: header: field 'first word' at 0x0 is 0x9");
  EXPECT_DEATH(core::window::load_start_window(0x52010001), "the form holds no window 0x52010001");
}

}  // namespace
}  // namespace window_test
