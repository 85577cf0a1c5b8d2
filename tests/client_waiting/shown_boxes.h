// The message boxes the program opens, each with the moment it was shown,
// seen as they are shown (before anything answers them).
#pragma once

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

#include <chrono>
#include <string>
#include <vector>

namespace client_test {

struct ShownBox {
  std::string text;              // UTF-8
  std::chrono::milliseconds at;  // since the watch began
};

class ShownBoxes : public QObject {
 public:
  ShownBoxes() { qApp->installEventFilter(this); }
  ~ShownBoxes() override { qApp->removeEventFilter(this); }

  std::vector<ShownBox> boxes;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* box = qobject_cast<QMessageBox*>(watched)) {
        boxes.push_back(
            {box->text().toStdString(), std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - start_)});
      }
    }
    return false;
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace client_test
