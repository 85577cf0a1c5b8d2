// How the window looks where a person notices it at once: the Windows faces
// stand in by installed faces of the same kind, frames in their stored
// colours, group captions on the frame line, the advertisement pages whole
// and on their background, and a name for every control a screen reader reads.
#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QFontInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <algorithm>

#include "platform/core/window/qt/controls.h"
#include "platform/core/window/qt/html_view.h"
#include "platform/core/window/qt/look.h"
#include "tests/support/temp_dir.h"
#include "tests/window/ad_pages.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

using core::window::HtmlView;

const QColor kGrey(0x80, 0x80, 0x80);

struct FaceRow {
  const char* face;
  const char* family;
};

TEST(FaceNames, EachWindowsFaceMapsToItsInstalledStandIn) {
  const FaceRow rows[] = {
      {"宋体", "Noto Serif CJK SC"},
      {"SimSun", "Noto Serif CJK SC"},
      {"黑体", "Noto Sans CJK SC"},
      {"SimHei", "Noto Sans CJK SC"},
      {"Times New Roman", "Liberation Serif"},
      {"times new roman", "Liberation Serif"},
      {"Arial", "Liberation Sans"},
      {"DejaVu Sans", "DejaVu Sans"},  // not mapped
  };
  for (const FaceRow& row : rows) {
    SCOPED_TRACE(row.face);
    QFont font;
    font.setFamilies(core::window::families_for(QString::fromUtf8(row.face)));
    font.setPixelSize(20);
    // The face actually drawn, not only the one asked for.
    EXPECT_EQ(QFontInfo(font).family(), QString::fromUtf8(row.family));
  }
}

class WindowLook : public WindowTest {};

struct ControlFontRow {
  const char* control;
  const char* family;
  int pixels;
  bool bold;
};

TEST_F(WindowLook, ControlsDrawInTheirFacesAtTheirPixelHeights) {
  const ControlFontRow rows[] = {
      {"标签7", "Noto Serif CJK SC", 19, false},   {"按钮12", "Noto Serif CJK SC", 16, true},
      {"按钮14", "Noto Sans CJK SC", 19, true},    {"按钮3", "Liberation Serif", 29, true},
      {"按钮13", "Liberation Serif", 29, true},    {"拨打电话", "Liberation Serif", 29, false},
      {"编辑框2", "Noto Serif CJK SC", 12, false},  // the window's default font
      {"按钮1", "Noto Serif CJK SC", 12, false},
  };
  for (const ControlFontRow& row : rows) {
    SCOPED_TRACE(row.control);
    QWidget* w = find(row.control);
    ASSERT_NE(w, nullptr);
    const QFontInfo info(w->font());
    EXPECT_EQ(info.family(), QString::fromUtf8(row.family));
    EXPECT_EQ(info.pixelSize(), row.pixels);
    EXPECT_EQ(info.bold(), row.bold);
  }
}

TEST_F(WindowLook, AnElevenDigitNumberFitsTheLoginBox) {
  auto* box = find<QLineEdit>("编辑框2");
  box->setText(QStringLiteral("13800138000"));
  constexpr int kFrameAndInset = 1 + 2;  // a single line, then 2 pixels of blank
  EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), box->width() - 2 * kFrameAndInset);
  // Drawn: the digits' ink keeps the inset on both sides, so none is clipped.
  box->home(false);
  const QImage shot = box->grab().toImage();
  int first_ink = shot.width();
  int last_ink = -1;
  for (int x = 1; x < shot.width() - 1; ++x) {
    for (int y = 1; y < shot.height() - 1; ++y) {
      if (QColor(shot.pixel(x, y)).lightness() < 128) {
        first_ink = std::min(first_ink, x);
        last_ink = std::max(last_ink, x);
      }
    }
  }
  EXPECT_GE(first_ink, kFrameAndInset);
  EXPECT_LT(last_ink, shot.width() - kFrameAndInset);
}

TEST_F(WindowLook, SingleLineLabelFramesAreGreyAndTheirTextBlue) {
  for (const char* name : {"标签1", "标签4", "标签5", "标签6"}) {
    SCOPED_TRACE(name);
    QWidget* label = find(name);
    const QImage shot = label->grab().toImage();
    const int w = shot.width();
    const int h = shot.height();
    for (const QPoint p :
         {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1)}) {
      EXPECT_EQ(QColor(shot.pixel(p)), kGrey) << p.x() << "," << p.y();
    }
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
  }
}

// A single-line edit frame is one black pixel round the box, with the box's
// own background just inside it and the text clear of the line.
TEST(EditFrame, SingleLineFrameIsOneBlackPixelRoundTheBox) {
  core::window::FocusEdit edit(nullptr);
  edit.resize(80, 24);
  QPalette p = edit.palette();
  p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE0));
  edit.setPalette(p);
  edit.set_single_line_frame();
  edit.setText(QStringLiteral("13800138000"));
  const QImage shot = edit.grab().toImage();
  const int w = shot.width();
  const int h = shot.height();
  for (const QPoint at : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2),
                          QPoint(w / 2, h - 1), QPoint(0, 0), QPoint(w - 1, h - 1)}) {
    EXPECT_EQ(QColor(shot.pixel(at)), QColor(Qt::black)) << at.x() << "," << at.y();
  }
  for (const QPoint at : {QPoint(1, 1), QPoint(w - 2, h - 2), QPoint(1, h / 2)}) {
    EXPECT_EQ(QColor(shot.pixel(at)), QColor(0xFF, 0xFF, 0xE0)) << at.x() << "," << at.y();
  }
}

TEST_F(WindowLook, GroupCaptionsSitOnTheFrameLineAboveTheLabelsBelowThem) {
  auto* status = find<core::window::GroupFrame>("分组框3");
  QWidget* number = find("标签5");
  const QRect caption = status->caption_rect();
  ASSERT_FALSE(caption.isNull());
  EXPECT_LT(caption.bottom(), number->y()) << "the label would cover the caption";
  // The top line runs through the caption's middle: grey left of it.
  const QImage shot = status->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(2, caption.center().y())), kGrey);
  EXPECT_NE(QColor(shot.pixel(caption.center().x(), caption.center().y() - 1)), kGrey);
}

class AdPages : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    show_ad_pages(folder_.path());
  }

 private:
  test_support::TempDir folder_;
};

TEST_F(AdPages, TheListShowsAllItsLinksOnSingleRowsWithoutScrolling) {
  auto* list = find<HtmlView>("超文本浏览框3");
  QTextDocument* doc = list->document();
  QAbstractTextDocumentLayout* layout = doc->documentLayout();
  int links = 0;
  QRectF last_link;
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isAnchor() && it.fragment().text().trimmed().size() > 0) {
        ++links;
        EXPECT_EQ(format.font().pixelSize(), 12) << it.fragment().text().toStdString();
        EXPECT_EQ(block.layout()->lineCount(), 1) << it.fragment().text().toStdString();
        // One row every 20 pixels from the top.
        last_link = QRectF(layout->blockBoundingRect(block).topLeft(), QSizeF(1, 20));
        EXPECT_EQ(last_link.top(), 20 * (links - 1));
        break;
      }
    }
  }
  EXPECT_EQ(links, 17);
  EXPECT_LE(last_link.bottom(), list->viewport()->height());
  EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
}

TEST_F(AdPages, TheBannerShowsItsBackgroundAndNothingOfItsScripts) {
  auto* banner = find<HtmlView>("超文本浏览框2");
  EXPECT_FALSE(banner->toPlainText().contains(QStringLiteral("alimama")));
  const QImage shot = banner->viewport()->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(0xd5, 0xde, 0xf2));
  auto* list = find<HtmlView>("超文本浏览框3");
  const QImage list_shot = list->viewport()->grab().toImage();
  EXPECT_EQ(QColor(list_shot.pixel(list_shot.width() - 2, list_shot.height() - 2)),
            QColor(0xd5, 0xde, 0xf2));
}

struct AccessibleRow {
  const char* control;
  QAccessible::Role role;
  const char* name;
};

TEST_F(WindowLook, EveryControlHasAnAccessibleNameAndRole) {
  const AccessibleRow rows[] = {
      {"编辑框3", QAccessible::EditableText, "手机号码"},
      {"编辑框4", QAccessible::EditableText, "语音验证码"},
      {"编辑框2", QAccessible::EditableText, "手机号"},
      {"编辑框1", QAccessible::EditableText, "验证码"},
      {"拨打电话", QAccessible::EditableText, "拨打电话"},
      {"按钮16", QAccessible::Button, "提交"},
      {"按钮14", QAccessible::Button, "拨打"},
      {"按钮11", QAccessible::Button, "9"},
      {"标签8", QAccessible::StaticText, "手机号码："},
      {"标签6", QAccessible::StaticText, "免费通话时间还剩：  分钟"},
      {"图片框1", QAccessible::StaticText, "验证码图片"},
      {"分组框4", QAccessible::Grouping, "★拨打电话★"},
      {"超文本浏览框3", QAccessible::StaticText, "重点推荐"},  // read-only
  };
  for (const AccessibleRow& row : rows) {
    SCOPED_TRACE(row.control);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(find(row.control));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(row.name));
    EXPECT_EQ(a->role(), row.role);
  }
}

}  // namespace
}  // namespace window_test
