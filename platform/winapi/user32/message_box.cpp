// MessageBoxA as a Qt message box, or as a line on stderr where no box can
// be shown (the rule is in user32.h and platform/console/message_line.h).
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/console/message_line.h"
#include "platform/gbk/gbk_text.h"
#include "platform/winapi/base/last_error.h"
#include "platform/winapi/user32/message_box_style.h"
#include "platform/winapi/user32/user32.h"
#include "platform/winapi/user32/window_handles.h"

namespace {

using winapi::user32::BoxIcon;
using winapi::user32::BoxStyle;

// Windows' caption for a box given none.
constexpr std::string_view kDefaultCaption = "Error";

// A box can be shown from a GUI application's own thread, or where one made
// now would find a screen.
bool box_possible() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) {
    return console::display_available();
  }
  return qobject_cast<QApplication*>(app) != nullptr && QThread::currentThread() == app->thread();
}

// Changes one thing of QMessageBox: Esc and the close button only answer a
// box that has an answer for them.
class WindowsMessageBox : public QMessageBox {
 public:
  WindowsMessageBox(QWidget* owner, bool can_escape)
      : QMessageBox(owner), can_escape_(can_escape) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!can_escape_ && event->key() == Qt::Key_Escape) {
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }

  void closeEvent(QCloseEvent* event) override {
    if (!can_escape_) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }

 private:
  bool can_escape_;
};

QMessageBox::Icon qt_icon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error:
      return QMessageBox::Critical;
    case BoxIcon::Question:
      return QMessageBox::Question;
    case BoxIcon::Warning:
      return QMessageBox::Warning;
    case BoxIcon::Information:
      return QMessageBox::Information;
    case BoxIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Qt's standard buttons where Windows has the same answer; the two answers
// Qt lacks get buttons of their own.
struct AnswerButton {
  int answer;
  QMessageBox::StandardButton standard;
  const char* text;
};

constexpr AnswerButton kAnswerButtons[] = {
    {IDOK, QMessageBox::Ok, nullptr},
    {IDCANCEL, QMessageBox::Cancel, nullptr},
    {IDABORT, QMessageBox::Abort, nullptr},
    {IDRETRY, QMessageBox::Retry, nullptr},
    {IDIGNORE, QMessageBox::Ignore, nullptr},
    {IDYES, QMessageBox::Yes, nullptr},
    {IDNO, QMessageBox::No, nullptr},
    {IDTRYAGAIN, QMessageBox::NoButton, "Try Again"},
    {IDCONTINUE, QMessageBox::NoButton, "Continue"},
};

QAbstractButton* add_answer(QMessageBox& box, int answer) {
  for (const AnswerButton& button : kAnswerButtons) {
    if (button.answer == answer) {
      return button.text == nullptr
                 ? box.addButton(button.standard)
                 : box.addButton(QMessageBox::tr(button.text), QMessageBox::AcceptRole);
    }
  }
  Q_ASSERT_X(false, "add_answer", "no style produces this answer");
  return nullptr;
}

int show_box(QWidget* owner, LPCSTR text, LPCSTR caption, const BoxStyle& style) {
  WindowsMessageBox box(owner, style.escape_answer.has_value());
  box.setWindowTitle(gbk::to_qstring(caption));
  box.setText(gbk::to_qstring(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(qt_icon(style.icon));
  // With an owner the box blocks that window and stays in front of it.
  box.setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  if (style.topmost) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  std::vector<std::pair<QAbstractButton*, int>> buttons;
  for (int answer : style.answers) {
    QAbstractButton* button = add_answer(box, answer);
    buttons.emplace_back(button, answer);
    if (answer == style.default_answer) {
      box.setDefaultButton(static_cast<QPushButton*>(button));
    }
    if (answer == style.escape_answer) {
      box.setEscapeButton(button);
    }
  }
  box.exec();
  for (const auto& [button, answer] : buttons) {
    if (button == box.clickedButton()) {
      return answer;
    }
  }
  return 0;  // closed without an answer, e.g. when the application quit
}

}  // namespace

extern "C" {

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const std::optional<BoxStyle> style = winapi::user32::decode_box_style(uType);
  if (!style) {
    winapi::set_last_error(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  QWidget* owner = nullptr;
  if (hWnd != nullptr) {
    owner = winapi::user32::window_of(hWnd);
    if (owner == nullptr) {
      winapi::set_last_error(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  }
  const LPCSTR text = lpText != nullptr ? lpText : "";
  const LPCSTR caption = lpCaption != nullptr ? lpCaption : kDefaultCaption.data();
  if (console::print_message_instead(box_possible())) {
    console::print_message(caption, text);
    return style->default_answer;
  }
  std::unique_ptr<QApplication> own_app;
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "winapi";
    static char* argv[] = {name, nullptr};
    own_app = std::make_unique<QApplication>(argc, argv);
  }
  return show_box(owner, text, caption, *style);
}

}  // extern "C"
