// The window's keys that are no control's own: F1 chooses the help item, F10
// and Alt pressed and released alone open the menu bar.
#pragma once

#include <QMainWindow>
#include <QObject>

#include <cstdint>

namespace core::window {

class MenuKeys : public QObject {
 public:
  // Lives as long as the window; help_item 0 leaves F1 without effect.
  MenuKeys(QMainWindow* window, uint32_t help_item);

 protected:
  // Watches the application's keys for an Alt pressed and released alone in
  // this window.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void open_menu_bar();

  QMainWindow* window_;
  bool alt_alone_ = false;
};

}  // namespace core::window
