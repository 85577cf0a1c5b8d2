#include "tests/client_local/client_fixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <memory>

#include "image/routine_list.h"
#include "platform/core/binding/dll_calls.h"
#include "platform/core/window/window_api.h"
#include "platform/gbk/gbk_text.h"
#include "platform/paths/paths.h"
#include "platform/support/library_commands.h"
#include "runtime/blocks.h"
#include "tests/support/page_focus.h"
#include "tests/support/program_routines.h"
#include "tests/support/qt_app.h"
#include "ui/control_ids.h"
#include "ui/form_tables.h"

namespace client_test {
namespace {

// One QApplication for the test program; the drive folders and the cookie
// file of the declared functions go to a private directory.
class PrivateQtEnvironment : public test_support::QtEnvironment {
 private:
  test_support::TempDir data_home_;
  test_support::ScopedEnv data_env_{"XDG_DATA_HOME", data_home_.path().string()};
};

[[maybe_unused]] auto* const g_qt = ::testing::AddGlobalTestEnvironment(new PrivateQtEnvironment);

std::vector<DllCall>& recorded_calls() {
  static std::vector<DllCall> calls;
  return calls;
}

uint64_t recording_call(uint32_t index, uint32_t word_count, const uint64_t* words) {
  recorded_calls().push_back({static_cast<program::Dll>(index), {words, words + word_count}});
  return binding::call_dll_function(index, word_count, words);
}

}  // namespace

void ClientTest::SetUp() {
  ProgramFixture::SetUp();
  recorded_calls().clear();
  services().call_dll_function = &recording_call;
  services().call_library_command = &support::call_library_command;
  services().read_property = &core::window::read_property;
  services().write_property = &core::window::write_property;
  attach();
  answerer_ = std::make_unique<QTimer>();
  QObject::connect(answerer_.get(), &QTimer::timeout, [this] { answer_boxes(); });
  answerer_->start(5);
  core::window::register_window_commands();
  core::window::attach_form(ui::build_form_section(), &test_support::run_program_routine);
  core::window::load_start_window(abi::kMainWindowId);
}

void ClientTest::TearDown() {
  core::window::shut_down();
  answerer_.reset();
  ProgramFixture::TearDown();
}

const std::vector<DllCall>& ClientTest::dll_calls() {
  return recorded_calls();
}

void ClientTest::answer_boxes() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) {
    return;
  }
  const std::string text = box->text().toStdString();
  // A box that comes back to the front after a nested one closed is not new.
  if (!box->property("lyb_recorded").toBool()) {
    box->setProperty("lyb_recorded", true);
    messages.push_back(text);
  }
  if (keep_open && keep_open(text)) {
    return;
  }
  box->button(QMessageBox::Ok)->click();
}

QMainWindow* ClientTest::window() const {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
      return main;
    }
  }
  return nullptr;
}

std::string ClientTest::content(const char* utf8_name) const {
  return edit_box(utf8_name)->text().toStdString();
}

void ClientTest::bring_forward(QWidget* widget) {
  ASSERT_TRUE(test_support::bring_forward(widget, window()));
}

void ClientTest::visit(QWidget* widget) {
  bring_forward(widget);
  QTest::mouseClick(widget, Qt::LeftButton);
}

void ClientTest::click(const char* utf8_name) {
  auto* button = find<QPushButton>(utf8_name);
  ASSERT_NE(button, nullptr) << utf8_name;
  bring_forward(button);
  QTest::mouseClick(button, Qt::LeftButton);
}

void ClientTest::choose(const char* utf8_caption) {
  for (QAction* entry : window()->menuBar()->actions()) {
    for (QAction* item : entry->menu()->actions()) {
      if (item->text() == QString::fromUtf8(utf8_caption)) {
        item->trigger();
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << utf8_caption;
}

int32_t ClientTest::timer_interval() const {
  const abi::ArgRecord v =
      core::window::read_property(abi::kMainWindowId, ui::id::时钟1, abi::property::Content, -1);
  return static_cast<int32_t>(v.value);
}

void ClientTest::set_timer_interval(int32_t ms) {
  core::window::write_property(abi::kMainWindowId, ui::id::时钟1, abi::property::Content, -1,
                               static_cast<uint32_t>(ms), 0);
}

int32_t ClientTest::current_page() const {
  const abi::ArgRecord v = core::window::read_property(abi::kMainWindowId, ui::id::选择夹1,
                                                       abi::property::CurrentPage, -1);
  return static_cast<int32_t>(v.value);
}

std::string ClientTest::address_of(uint32_t control) const {
  const abi::ArgRecord v =
      core::window::read_property(abi::kMainWindowId, control, abi::property::Address, -1);
  const rt::Text text = rt::Text::adopt(reinterpret_cast<char*>(v.value));
  return gbk::to_qstring(text.view()).toStdString();
}

std::string ClientTest::utf8(program::Const c) {
  return std::string(program::const_source(c));
}

std::string ClientTest::program_dir() {
  return paths::program_file_path().parent_path().string();
}

}  // namespace client_test
