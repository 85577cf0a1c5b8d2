// A window backend that shows nothing: it writes each call it gets to a log,
// naming controls by their element ids, and keeps what a user could change
// (edit box texts, the current page) so the logic can read it back.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/core/window/backend.h"

namespace window_logic_test {

class RecordingBackend final : public core::window::Backend {
 public:
  using Handle = core::window::Handle;

  std::vector<std::string> log;
  std::map<uint32_t, std::string> edit_texts;        // by element id, GBK
  std::map<uint32_t, std::string> accessible_names;  // by element id, GBK
  bool boxes_possible = true;
  uint32_t refused_kind = 0;  // a kind code create() cannot build
  // Runs inside run_until(), as the user acting while the loop runs.
  std::function<void()> while_running;

  Handle handle_of(uint32_t id) const;

  Handle create_window(uint32_t id, const form::ControlRecord& record) override;
  void add_menu(uint32_t id, const form::MenuItemRecord& item,
                core::window::MenuSlot slot) override;
  Handle create(uint32_t id, const form::ControlRecord& record, core::window::Place place) override;
  void lower(Handle control) override;
  void set_accessible_name(Handle control, std::string_view gbk_name) override;
  void show(const core::window::FocusPlan& plan) override;

  void run_until(const std::function<bool()>& done) override;
  void wake() override;
  void process_events() override;
  void set_busy(bool busy) override;
  void close_window() override;

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
  Handle add(uint32_t id, uint32_t kind);
  std::string name(Handle handle) const;  // the element id in hex, "client" for 0

  struct Made {
    uint32_t id;
    uint32_t kind;
  };
  std::map<Handle, Made> made_;
  std::map<Handle, int> pages_;
  Handle window_ = 0;
};

// "0x16000001".
std::string hex(uint32_t v);

}  // namespace window_logic_test
