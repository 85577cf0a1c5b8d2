#include "tests/client_service/client_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

#include <cstdlib>
#include <utility>

#include "platform/core/memory/memory.h"
#include "platform/core/window/window_api.h"
#include "platform/support/library_commands.h"
#include "tests/support/page_focus.h"
#include "tests/support/program_routines.h"
#include "tests/support/qt_app.h"
#include "ui/control_ids.h"
#include "ui/form_tables.h"

namespace client_test {
namespace {

[[maybe_unused]] auto* const g_qt =
    ::testing::AddGlobalTestEnvironment(new test_support::QtEnvironment);

QMainWindow* main_window() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
      return main;
    }
  }
  return nullptr;
}

// Shows the tab page that holds the widget and activates the window, so
// focus changes reach it as a user's would.
void bring_forward(QWidget* widget) {
  EXPECT_TRUE(test_support::bring_forward(widget, main_window()));
}

}  // namespace

void ClientFixture::SetUp() {
  WebFixture::SetUp();
  // Boxes are real modal dialogs here, answered by the fixture.
  unsetenv("WINAPI_MSGBOX");
  core::window::register_window_commands();
  services().read_property = &core::window::read_property;
  services().write_property = &core::window::write_property;
  services().call_library_command = &support::call_library_command;
  attach();
  core::window::attach_form(ui::build_form_section(), &test_support::run_program_routine);
  core::window::load_start_window(abi::kMainWindowId);
  QObject::connect(&box_answerer_, &QTimer::timeout, [this] { answer_message_boxes(); });
  box_answerer_.start(20);
}

void ClientFixture::TearDown() {
  box_answerer_.stop();
  box_answerer_.disconnect();
  core::window::shut_down();
  connect_to_.reset();
  setenv("WINAPI_MSGBOX", "stderr", 1);
  WebFixture::TearDown();
}

void ClientFixture::route_service_to(int port) {
  connect_to_.reset();
  connect_to_ = std::make_unique<web_test::ConnectTo>("127.0.0.1:8600", port);
}

int ClientFixture::start_standin(std::unique_ptr<service::StandinService>& standin,
                                 service::ServiceOptions options,
                                 const std::filesystem::path& log_file) {
  options.port = 0;
  options.echo_events = false;
  options.log_file = log_file;
  standin = std::make_unique<service::StandinService>(options);
  const int port = standin->error().empty() ? standin->start() : 0;
  if (port <= 0) {
    ADD_FAILURE() << "the stand-in service did not start: " << standin->error();
    return 0;
  }
  route_service_to(port);
  return port;
}

void ClientFixture::answer_message_boxes() {
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    messages.push_back(box->text().toStdString());
    box->accept();
  }
}

QWidget* ClientFixture::widget(const char* utf8_name) const {
  QWidget* found = main_window()->findChild<QWidget*>(QString::fromUtf8(utf8_name));
  EXPECT_NE(found, nullptr) << utf8_name;
  return found;
}

std::string ClientFixture::text_of(const char* utf8_name) const {
  QWidget* w = widget(utf8_name);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    return edit->text().toStdString();
  }
  if (auto* label = qobject_cast<QLabel*>(w)) {
    return label->text().toStdString();
  }
  ADD_FAILURE() << utf8_name << " holds no text";
  return {};
}

void ClientFixture::type_into(const char* utf8_name, const char* utf8_text) {
  qobject_cast<QLineEdit*>(widget(utf8_name))->setText(QString::fromUtf8(utf8_text));
}

void ClientFixture::focus(const char* utf8_name) {
  QWidget* w = widget(utf8_name);
  bring_forward(w);
  // Leave the box first, so the focus is a new visit.
  main_window()->setFocus(Qt::OtherFocusReason);
  w->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
}

void ClientFixture::click(const char* utf8_name) {
  QWidget* w = widget(utf8_name);
  bring_forward(w);
  qobject_cast<QAbstractButton*>(w)->click();
  QApplication::processEvents();
}

void ClientFixture::choose_menu_item(const char* utf8_caption) {
  for (QAction* entry : main_window()->menuBar()->actions()) {
    for (QAction* item : entry->menu()->actions()) {
      if (item->text() == QString::fromUtf8(utf8_caption)) {
        item->trigger();
        QApplication::processEvents();
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << utf8_caption;
}

bool ClientFixture::enabled(const char* utf8_name) const {
  return widget(utf8_name)->isEnabled();
}

std::string ClientFixture::picture_bytes() const {
  const abi::ArgRecord value =
      core::window::read_property(abi::kMainWindowId, ui::id::图片框1, abi::property::Picture, -1);
  const rt::Bytes picture = rt::Bytes::adopt(reinterpret_cast<void*>(value.value));
  return bytes_of(picture);
}

std::vector<std::string> ClientFixture::sent_bodies() const {
  std::vector<std::string> bodies;
  for (const web_test::DllCall& call : calls_of(program::Dll::HttpSendRequestA)) {
    bodies.push_back(call.texts[1]);
  }
  return bodies;
}

std::string ClientFixture::session_cookie() const {
  std::string cookie;
  for (const web_test::DllCall& call : calls_of(program::Dll::InternetSetCookieA)) {
    cookie = call.texts[1] + "=" + call.texts[2].substr(0, call.texts[2].find(';'));
  }
  return cookie;
}

}  // namespace client_test
