// The program's handlers on the real window, offscreen, in-process: the
// runtime's core commands, window module and support libraries serve the
// facade, declared functions resolve in the build's stand-in DLLs, events run
// the real routines, and message boxes are real modal boxes that the fixture
// answers as they show, recording their texts.
#pragma once

#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "image/const_table.h"
#include "tests/program/program_fixture.h"
#include "tests/support/temp_dir.h"

namespace client_test {

struct DllCall {
  program::Dll function;
  std::vector<uint64_t> words;
};

class ClientTest : public program_test::ProgramFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  QMainWindow* window() const;
  template <class W = QWidget>
  W* find(const char* utf8_name) const {
    return window()->findChild<W*>(QString::fromUtf8(utf8_name));
  }
  QLineEdit* edit_box(const char* utf8_name) const { return find<QLineEdit>(utf8_name); }
  std::string content(const char* utf8_name) const;

  // Shows the tab page holding the widget and activates the window, so that
  // clicks and keys reach it.
  void bring_forward(QWidget* widget);
  // Moves the focus into the widget as a mouse click would.
  void visit(QWidget* widget);
  void click(const char* utf8_name);
  // Chooses a menu item by its caption.
  void choose(const char* utf8_caption);

  // Properties as the program reads them.
  int32_t timer_interval() const;
  void set_timer_interval(int32_t ms);
  int32_t current_page() const;
  std::string address_of(uint32_t control) const;  // UTF-8

  // The texts of the message boxes shown so far, in UTF-8, in order.
  std::vector<std::string> messages;
  // Runs when a box shows; returning true keeps it open for now (it is asked
  // again on every poll until it answers false, then the box gets OK).
  std::function<bool(const std::string& text)> keep_open;

  // The declared functions called since the test began.
  static const std::vector<DllCall>& dll_calls();

  static std::string utf8(program::Const c);
  // The program's directory on the host.
  static std::string program_dir();

 private:
  void answer_boxes();

  test_support::ScopedEnv boxes_{"WINAPI_MSGBOX", "box"};
  std::unique_ptr<QTimer> answerer_;
};

}  // namespace client_test
