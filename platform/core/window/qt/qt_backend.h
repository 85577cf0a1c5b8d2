// The window backend over Qt widgets: a QMainWindow with a menu bar and a
// fixed-size client area, the controls placed without layout managers.
#pragma once

#include <QEventLoop>
#include <QFont>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>

#include <memory>

#include "platform/core/window/qt/end_signals.h"

#include "platform/core/window/backend.h"

namespace core::window {

// The window that tells the logic when it closes.
class MainWindow : public QMainWindow {
 protected:
  void closeEvent(QCloseEvent* event) override;
};

// The frame the form's outer sizes include: 6-pixel borders left and right,
// title bar, one menu line and borders top and bottom taking 48 pixels.
inline constexpr int kFrameWidth = 12;
inline constexpr int kFrameHeight = 48;

class QtBackend final : public Backend {
 public:
  // Makes the QApplication unless the host has one; without a display to
  // show the window on, a fatal internal fault that says so.
  QtBackend();
  // Destroys the window and, when this backend made it, the QApplication.
  ~QtBackend() override;

  Handle create_window(uint32_t id, const form::ControlRecord& record) override;
  void add_menu(uint32_t id, const form::MenuItemRecord& item, MenuSlot slot) override;
  Handle create(uint32_t id, const form::ControlRecord& record, Place place) override;
  void lower(Handle control) override;
  void set_accessible_name(Handle control, std::string_view gbk_name) override;
  void show(const FocusPlan& plan) override;

  void run_until(const std::function<bool()>& done) override;
  void wake() override;
  void process_events() override;
  void close_window() override;
  void set_busy(bool busy) override;

  std::string text(Handle edit_box) const override;
  void set_text(Handle control, std::string_view gbk_text) override;
  void set_enabled(Handle control, bool enabled) override;
  void set_picture(Handle picture_box, std::span<const uint8_t> bmp_file) override;
  void set_html(Handle browser, std::string_view gbk_address) override;
  int page(Handle tab_control) const override;
  void set_page(Handle tab_control, int page) override;
  void set_timer(Handle timer, int32_t interval_ms) override;
  void set_focus(Handle control) override;

  bool can_show_message() const override;
  void message_box(std::string_view gbk_title, std::string_view gbk_text) override;

 private:
  QWidget* container(Place place) const;

  QPointer<MainWindow> window_;
  QWidget* client_ = nullptr;
  QMenu* list_ = nullptr;  // the menu bar's last list
  QFont font_;
  QEventLoop* loop_ = nullptr;  // the message loop while it runs
  bool busy_ = false;
  std::unique_ptr<EndSignals> end_signals_;
};

}  // namespace core::window
