// The built window against the form's tables: every control's kind, parent,
// geometry, caption, font, colours, visibility and enabled state.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "image/form/form_reader.h"
#include "platform/core/window/qt/controls.h"
#include "platform/core/window/qt/html_view.h"
#include "platform/core/window/qt/tab_control.h"
#include "platform/gbk/gbk_text.h"
#include "tests/window/window_fixture.h"
#include "ui/control_ids.h"
#include "ui/form_tables.h"

namespace window_test {
namespace {

using core::window::TabControl;

QColor colour(uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Kind, caption and look of one widget against its record's property block.
struct Expect {
  QWidget* w;

  void operator()(const form::LabelProps& p) const {
    auto* label = dynamic_cast<core::window::PlainLabel*>(w);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->caption(), gbk::to_qstring(p.caption));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), colour(p.text_colour));
    EXPECT_EQ(label->wordWrap(), p.word_wrap != 0);
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask,
              p.horizontal_alignment == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    EXPECT_EQ(label->frameShape() == QFrame::NoFrame, p.frame_style == form::frame::None);
    font(p.font);
  }
  void operator()(const form::ButtonProps& p) const {
    auto* button = dynamic_cast<QPushButton*>(w);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), gbk::to_qstring(p.caption));
    font(p.font);
  }
  void operator()(const form::EditBoxProps& p) const {
    auto* edit = dynamic_cast<core::window::FocusEdit*>(w);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), gbk::to_qstring(p.content));
    EXPECT_EQ(edit->palette().color(QPalette::Text), colour(p.text_colour));
    EXPECT_EQ(edit->maxLength(), p.max_length ? static_cast<int>(p.max_length) : 32767);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
    font(p.font);
  }
  void operator()(const form::GroupBoxProps& p) const {
    auto* group = dynamic_cast<QGroupBox*>(w);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), gbk::to_qstring(p.caption));
    EXPECT_EQ(group->palette().color(QPalette::WindowText), colour(p.text_colour));
  }
  void operator()(const form::PictureBoxProps&) const {
    EXPECT_NE(dynamic_cast<core::window::PictureBox*>(w), nullptr);
    EXPECT_EQ(w->focusPolicy() & Qt::TabFocus, 0);
  }
  void operator()(const form::TabControlProps& p) const {
    auto* tab = dynamic_cast<TabControl*>(w);
    ASSERT_NE(tab, nullptr);
    ASSERT_EQ(tab->page_count(), static_cast<int>(p.page_captions.size()));
    for (int i = 0; i < tab->page_count(); ++i) {
      EXPECT_EQ(tab->bar()->tabText(i), gbk::to_qstring(p.page_captions[i]));
    }
  }
  void operator()(const form::HyperlinkBoxProps&) const {
    EXPECT_NE(dynamic_cast<core::window::HyperlinkBox*>(w), nullptr);
  }
  void operator()(const form::HtmlBrowserProps& p) const {
    auto* view = dynamic_cast<core::window::HtmlView*>(w);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->address(), p.address);
    EXPECT_EQ(view->contextMenuPolicy(), Qt::NoContextMenu);
  }
  void operator()(const form::TimerProps&) const { FAIL() << "a timer is no widget"; }
  void operator()(const form::WindowProps&) const { FAIL() << "the window is no control"; }

  void font(const form::Font& f) const {
    if (!f) {
      EXPECT_EQ(w->font().pixelSize(), 12);
      return;
    }
    EXPECT_EQ(w->font().pixelSize(), -f->height);
    EXPECT_EQ(w->font().weight(), f->weight);  // the family: window_look_test
  }
};

class WindowLayout : public WindowTest {
 protected:
  // The widget a control of this parent must sit in.
  QWidget* container_of(const form::Form& f, uint32_t id, uint32_t parent) {
    if (parent == 0) {
      return client();
    }
    const auto& rec = std::get<form::ControlRecord>(form::find_element(f, parent)->record);
    QWidget* w = find(gbk::to_qstring(rec.name).toUtf8().constData());
    if (auto* tab = dynamic_cast<TabControl*>(w)) {
      const auto at = std::find(rec.children.begin(), rec.children.end(), id);
      return tab->page(static_cast<int>(std::count(rec.children.begin(), at, 0u)));
    }
    return w;
  }
};

TEST_F(WindowLayout, EveryControlMatchesItsRecord) {
  const form::Form f = ui::build_form();
  int checked = 0;
  for (const form::Element& e : f.elements) {
    const auto* rec = std::get_if<form::ControlRecord>(&e.record);
    if (!rec || e.id == ui::id::kWindowRecord ||
        std::holds_alternative<form::TimerProps>(rec->properties)) {
      continue;
    }
    const QString name = gbk::to_qstring(rec->name);
    SCOPED_TRACE(name.toStdString());
    QWidget* w = find(name.toUtf8().constData());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), container_of(f, e.id, rec->parent));
    const form::Geometry& g = rec->geometry;
    EXPECT_EQ(w->geometry(), QRect(g.left, g.top, g.width, g.height));
    EXPECT_EQ(!w->isHidden(), (rec->state_flags & form::state::Visible) != 0);
    EXPECT_EQ(w->isEnabled(), (rec->state_flags & form::state::Disabled) == 0);
    EXPECT_EQ((w->focusPolicy() & Qt::TabFocus) != 0,
              (rec->state_flags & form::state::TabStop) != 0);
    std::visit(Expect{w}, rec->properties);
    ++checked;
  }
  EXPECT_EQ(checked, 42);
  auto* timer = window()->findChild<QTimer*>(QStringLiteral("时钟1"));
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->isActive());
}

// Points of the client area worked out by hand from the layout.
TEST_F(WindowLayout, ControlsLandWhereTheLayoutPutsThem) {
  struct Row {
    const char* name;
    QPoint at;
  };
  const Row rows[] = {
      {"选择夹1", {0, 8}},          {"分组框5", {40, 48}},   {"分组框2", {16, 40}},
      {"分组框3", {16, 223}},       {"分组框4", {264, 40}},  {"分组框1", {552, 9}},
      {"编辑框1", {70, 114}},       {"图片框1", {168, 114}}, {"按钮1", {70, 146}},
      {"超文本浏览框3", {558, 25}}, {"按钮9", {288, 251}},   {"按钮11", {448, 248}},
  };
  for (const Row& row : rows) {
    QWidget* w = find(row.name);
    ASSERT_NE(w, nullptr) << row.name;
    EXPECT_EQ(w->mapTo(client(), QPoint(0, 0)), row.at) << row.name;
  }
  EXPECT_EQ(client()->size(), QSize(728, 462));
  EXPECT_EQ(client()->mapTo(window(), QPoint(0, 0)).y(), window()->menuBar()->height());
  EXPECT_EQ(window()->windowTitle(),
            QString::fromUtf8("岚音宝 V 1.4版 每周领取15分钟  ★限★：接听免费的用户使用！！！"));
  EXPECT_FALSE(window()->windowIcon().isNull());
}

TEST_F(WindowLayout, StartsOnThePageOneWithTheClaimButtonGreyed) {
  auto* tab = find<TabControl>("选择夹1");
  EXPECT_EQ(tab->current(), 0);
  EXPECT_TRUE(find("编辑框3")->isVisible());
  EXPECT_FALSE(find("编辑框2")->isVisible());
  EXPECT_FALSE(find("按钮2")->isEnabled());
  EXPECT_TRUE(find<QLineEdit>("拨打电话")->text().isEmpty());
  EXPECT_FALSE(find("超级链接框1")->isVisible());
  EXPECT_EQ(find<core::window::PlainLabel>("标签6")->text(),
            QString::fromUtf8("免费通话时间还剩：  分钟"));
  // The stored CR LF shows as one line break.
  EXPECT_EQ(find<QLabel>("标签7")->text().count(QLatin1Char('\n')), 1);
  EXPECT_FALSE(find<QLabel>("标签7")->text().contains(QLatin1Char('\r')));
}

TEST_F(WindowLayout, MenuBarHasFourEntriesWithTheirItems) {
  const QList<QAction*> entries = window()->menuBar()->actions();
  ASSERT_EQ(entries.size(), 4);
  const char* titles[] = {"菜单", "每周领取", "精彩推荐", "帮助"};
  const int items[] = {1, 1, 13, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(entries[i]->text(), QString::fromUtf8(titles[i]));
    ASSERT_NE(entries[i]->menu(), nullptr);
    const QList<QAction*> list = entries[i]->menu()->actions();
    EXPECT_EQ(list.size(), items[i]) << titles[i];
    for (QAction* a : list) {
      EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
      EXPECT_FALSE(a->isCheckable());
      EXPECT_TRUE(a->isEnabled());
      EXPECT_TRUE(a->isVisible());
    }
  }
  EXPECT_EQ(entries[2]->menu()->actions()[9]->text(), QString::fromUtf8("韩版衣舍(女)"));
}

}  // namespace
}  // namespace window_test
