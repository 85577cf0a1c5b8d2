// MessageBoxA in a process without a QApplication: one is made for the box
// and removed after it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

#include "platform/winapi/user32/user32.h"

namespace {

// Runs while the box's QApplication is being made: queue a watcher that
// presses Cancel once the box is up.
void answer_boxes_of_new_applications() {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [] {
        auto* timer = new QTimer(qApp);
        QObject::connect(timer, &QTimer::timeout, timer, [timer] {
          if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            box->button(QMessageBox::Cancel)->click();
          }
        });
        timer->start(5);
      },
      Qt::QueuedConnection);
}
Q_COREAPP_STARTUP_FUNCTION(answer_boxes_of_new_applications)

TEST(MessageBoxOwnApplication, MadeForTheBoxAndRemovedAfter) {
  ::unsetenv("WINAPI_MSGBOX");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  EXPECT_EQ(MessageBoxA(nullptr, "text", "title", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
  // And again: a second application after the first is gone.
  EXPECT_EQ(MessageBoxA(nullptr, "text", "title", MB_RETRYCANCEL), IDCANCEL);
}

}  // namespace
