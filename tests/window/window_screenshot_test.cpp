// Writes a picture of the window on each tab page into the build tree, for a
// person to compare with the layout: the advertisement pages shown, an
// 11-digit number in the login box and the dial box. Run once as it is and
// once with QT_SCALE_FACTOR=2, where the whole fixed layout scales.
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "platform/core/window/qt/tab_control.h"
#include "tests/support/temp_dir.h"
#include "tests/window/ad_pages.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

class WindowScreenshot : public WindowTest {};

int scale_asked() {
  const QString factor = qEnvironmentVariable("QT_SCALE_FACTOR");
  return factor.isEmpty() ? 1 : factor.toInt();
}

TEST_F(WindowScreenshot, EachTabPageIsWrittenAtTheAskedScale) {
  test_support::TempDir pages;
  show_ad_pages(pages.path());
  find<QLineEdit>("编辑框2")->setText(QStringLiteral("13800138000"));
  find<QLineEdit>("拨打电话")->setText(QStringLiteral("13800138000"));
  auto* tab = find<core::window::TabControl>("选择夹1");
  ASSERT_NE(tab, nullptr);
  const int scale = scale_asked();
  ASSERT_GE(scale, 1);
  // The layout itself stays in the form's pixels; the screen's pixels scale.
  EXPECT_EQ(window()->width(), 728);
  EXPECT_EQ(window()->height(), window()->menuBar()->height() + 462);
  for (int page = 0; page < tab->page_count(); ++page) {
    tab->set_current(page);
    QTest::qWait(50);
    const QImage shot = window()->grab().toImage();
    EXPECT_EQ(shot.width(), 728 * scale);
    EXPECT_EQ(shot.height(), window()->height() * scale);
    const QString file =
        QStringLiteral(LYB_SCREENSHOT_DIR "/window_page%1_x%2.png").arg(page + 1).arg(scale);
    EXPECT_TRUE(shot.save(file)) << file.toStdString();
  }
}

}  // namespace
}  // namespace window_test
