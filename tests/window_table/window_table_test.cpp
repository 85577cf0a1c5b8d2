// The live window against the controls typed from the window's description:
// kind, parent, page, geometry, caption, colours, frame, font and start state.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <map>
#include <set>

#include "platform/core/window/qt/controls.h"
#include "tests/window_table/live_controls.h"

namespace window_table {
namespace {

QColor colour(uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// A stored CR LF shows as one line break.
QString shown(const char* caption) {
  return QString::fromUtf8(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST(ControlTable, CountsTheKindsAsTheWindowHasThem) {
  std::map<Kind, int> kinds;
  std::set<std::string> names;
  for (const ControlRow& row : control_rows()) {
    ++kinds[row.kind];
    names.insert(row.name);
  }
  EXPECT_EQ(control_rows().size(), 43u);
  EXPECT_EQ(names.size(), 43u);
  const std::map<Kind, int> expected = {
      {Kind::EditBox, 5},   {Kind::PictureBox, 1}, {Kind::GroupBox, 5},
      {Kind::Label, 11},    {Kind::Button, 16},    {Kind::TabControl, 1},
      {Kind::Hyperlink, 1}, {Kind::Timer, 1},      {Kind::HtmlBrowser, 2}};
  EXPECT_EQ(kinds, expected);
}

class WindowTable : public LiveControls {};

TEST_F(WindowTable, EveryControlSitsWhereItsParentPutsIt) {
  for (const ControlRow& row : control_rows()) {
    if (row.kind == Kind::Timer) {
      continue;
    }
    SCOPED_TRACE(row.name);
    QWidget* w = control(row.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->size(), QSize(row.width, row.height));
    EXPECT_EQ(w->mapTo(client(), QPoint(0, 0)), client_position(row));
    const ControlRow* parent = enclosing_control(w->parentWidget());
    EXPECT_STREQ(parent ? parent->name : "(the window)", row.parent ? row.parent : "(the window)");
  }
  EXPECT_EQ(client()->size(), QSize(728, 462));
}

TEST_F(WindowTable, PageControlsShowWithTheirPageOnly) {
  QWidget* tab = control("选择夹1");
  ASSERT_NE(tab, nullptr);
  for (int page : {0, 1, 0}) {
    show_page(page);
    for (const ControlRow& row : control_rows()) {
      if (row.page < 0 || !shown_at_start(row)) {
        continue;
      }
      QWidget* w = control(row.name);
      ASSERT_NE(w, nullptr) << row.name;
      EXPECT_EQ(w->isVisible(), row.page == page) << row.name << " with page " << page;
    }
  }
}

TEST_F(WindowTable, StartStateFollowsTheKindRules) {
  for (const ControlRow& row : control_rows()) {
    SCOPED_TRACE(row.name);
    if (row.kind == Kind::Timer) {
      auto* timer = window()->findChild<QTimer*>(QString::fromUtf8(row.name));
      ASSERT_NE(timer, nullptr);
      EXPECT_FALSE(timer->isActive());
      continue;
    }
    QWidget* w = control(row.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(!w->isHidden(), shown_at_start(row));
    EXPECT_EQ(w->isEnabled(), enabled_at_start(row));
    EXPECT_EQ((w->focusPolicy() & Qt::TabFocus) != 0, takes_tab_focus(row));
  }
}

TEST_F(WindowTable, CaptionsColoursFramesAndAlignment) {
  for (const ControlRow& row : control_rows()) {
    SCOPED_TRACE(row.name);
    QWidget* w = control(row.name);
    const Qt::Alignment horizontal = row.centred ? Qt::AlignHCenter : Qt::AlignLeft;
    switch (row.kind) {
      case Kind::Label: {
        auto* label = qobject_cast<QLabel*>(w);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), shown(row.caption));
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour(row.text_colour));
        EXPECT_EQ(label->frameShape() != QFrame::NoFrame, row.framed);
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, horizontal);
        if (std::string_view(row.name) == "标签7") {
          EXPECT_TRUE(label->wordWrap());
        }
        break;
      }
      case Kind::EditBox: {
        auto* edit = qobject_cast<QLineEdit*>(w);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), shown(row.caption));
        // The style's frame, or the one-pixel line of a single-line frame.
        const auto* own_frame = dynamic_cast<core::window::FocusEdit*>(edit);
        EXPECT_TRUE(edit->hasFrame() || (own_frame != nullptr && own_frame->single_line_frame()));
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, horizontal);
        EXPECT_EQ(edit->maxLength(), std::string_view(row.name) == "编辑框2" ? 11 : 32767);
        if (row.text_colour != kUnstated) {
          EXPECT_EQ(edit->palette().color(QPalette::Text), colour(row.text_colour));
        }
        break;
      }
      case Kind::Button: {
        auto* button = qobject_cast<QPushButton*>(w);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), shown(row.caption));
        EXPECT_TRUE(button->icon().isNull());
        break;
      }
      case Kind::GroupBox: {
        auto* group = qobject_cast<QGroupBox*>(w);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title(), shown(row.caption));
        EXPECT_EQ(group->palette().color(QPalette::WindowText), colour(row.text_colour));
        break;
      }
      case Kind::TabControl: {
        auto* bar = w->findChild<QTabBar*>();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->count(), 2);
        EXPECT_EQ(bar->tabText(0), QString::fromUtf8(row.caption));
        EXPECT_EQ(bar->tabText(1), QString::fromUtf8("② 第二步 打电话"));
        EXPECT_EQ(bar->currentIndex(), 0);
        break;
      }
      case Kind::PictureBox: {
        auto* picture = qobject_cast<QLabel*>(w);
        ASSERT_NE(picture, nullptr);
        EXPECT_NE(picture->frameShape(), QFrame::NoFrame);
        EXPECT_TRUE(picture->pixmap().isNull());
        break;
      }
      case Kind::Hyperlink:
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isHidden());
        break;
      case Kind::HtmlBrowser:
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits("QTextBrowser"));
        break;
      case Kind::Timer:
        break;
    }
  }
}

// The installed face each stored Windows face name is shown in.
QString shown_family(const char* stored_face) {
  const std::string face = stored_face;
  if (face == "宋体") {
    return QStringLiteral("Noto Serif CJK SC");
  }
  if (face == "黑体") {
    return QStringLiteral("Noto Sans CJK SC");
  }
  if (face == "Times New Roman") {
    return QStringLiteral("Liberation Serif");
  }
  return QString::fromUtf8(stored_face);
}

TEST_F(WindowTable, FontsAreTheStoredOnesOrTheWindowDefault) {
  QWidget* plain = control("按钮16");  // a button the tables give no font
  ASSERT_NE(plain, nullptr);
  const QFont standard = plain->font();
  for (const ControlRow& row : control_rows()) {
    if (row.kind == Kind::Timer) {
      continue;
    }
    SCOPED_TRACE(row.name);
    QWidget* w = control(row.name);
    ASSERT_NE(w, nullptr);
    if (row.font.family == nullptr) {
      EXPECT_EQ(w->font().family(), standard.family());
      EXPECT_EQ(w->font().pixelSize(), standard.pixelSize());
      EXPECT_EQ(w->font().weight(), standard.weight());
      continue;
    }
    EXPECT_EQ(w->font().family(), shown_family(row.font.family));
    EXPECT_EQ(w->font().pixelSize(), row.font.pixel_height);
    EXPECT_EQ(w->font().weight(), row.font.weight);
  }
}

}  // namespace
}  // namespace window_table
