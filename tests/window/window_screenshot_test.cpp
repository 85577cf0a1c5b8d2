// Writes a picture of the window on each tab page into the build tree, for a
// person to compare with the layout.
#include <QImage>
#include <QTest>

#include "platform/core/window/qt/tab_control.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

class WindowScreenshot : public WindowTest {};

TEST_F(WindowScreenshot, EachTabPageIsWritten) {
  auto* tab = find<core::window::TabControl>("选择夹1");
  ASSERT_NE(tab, nullptr);
  for (int page = 0; page < tab->page_count(); ++page) {
    tab->set_current(page);
    QTest::qWait(50);
    const QImage shot = window()->grab().toImage();
    EXPECT_EQ(shot.width(), 728);
    const QString file = QStringLiteral(LYB_SCREENSHOT_DIR "/window_page%1.png").arg(page + 1);
    EXPECT_TRUE(shot.save(file)) << file.toStdString();
  }
}

}  // namespace
}  // namespace window_test
