// MessageBoxA as a Qt box, answered the way a user would.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/winapi/user32/user32.h"
#include "tests/support/qt_app.h"

namespace {

const auto* const kQt = testing::AddGlobalTestEnvironment(new test_support::QtEnvironment);

using BoxAction = std::function<void(QMessageBox*)>;

// Waits for the next modal message box and acts on it; the box is looked up
// through QApplication::activeModalWidget(), as every GUI test does here.
void when_box_shows(BoxAction action) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      return;
    }
    timer->stop();
    timer->deleteLater();
    action(box);
  });
  timer->start();
}

QAbstractButton* button_labelled(QMessageBox* box, const QString& text) {
  for (QAbstractButton* button : box->buttons()) {
    if (button->text().remove('&') == text) {
      return button;
    }
  }
  return nullptr;
}

BoxAction click(const char* label) {
  return [label](QMessageBox* box) {
    QAbstractButton* button = button_labelled(box, label);
    ASSERT_NE(button, nullptr) << label;
    button->click();
  };
}

BoxAction key(Qt::Key pressed) {
  return [pressed](QMessageBox* box) { QTest::keyClick(box, pressed); };
}

// Esc or the close button first: a box without an answer for them stays.
BoxAction dismiss_then_click(bool by_escape, const char* label) {
  return [by_escape, label](QMessageBox* box) {
    if (by_escape) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->close();
    }
    if (box->isVisible()) {
      click(label)(box);
    }
  };
}

class User32MessageBox : public testing::Test {
 protected:
  void SetUp() override { ::unsetenv("WINAPI_MSGBOX"); }
  void TearDown() override { ::setenv("WINAPI_MSGBOX", "stderr", 1); }
};

struct AnswerRow {
  const char* label;
  UINT style;
  BoxAction action;
  int answer;
};

void PrintTo(const AnswerRow& row, std::ostream* out) {
  *out << row.label;
}

class User32MessageBoxAnswers : public User32MessageBox,
                                public testing::WithParamInterface<AnswerRow> {};

TEST_P(User32MessageBoxAnswers, ReturnsWindowsCodes) {
  const AnswerRow& row = GetParam();
  when_box_shows(row.action);
  EXPECT_EQ(MessageBoxA(nullptr, "text", "title", row.style), row.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, User32MessageBoxAnswers,
    testing::Values(
        AnswerRow{"ok", MB_OK, click("OK"), IDOK},
        AnswerRow{"ok_escape", MB_OK, key(Qt::Key_Escape), IDOK},
        AnswerRow{"ok_enter", MB_OK, key(Qt::Key_Return), IDOK},
        AnswerRow{"okcancel_ok", MB_OKCANCEL, click("OK"), IDOK},
        AnswerRow{"okcancel_cancel", MB_OKCANCEL, click("Cancel"), IDCANCEL},
        AnswerRow{"okcancel_escape", MB_OKCANCEL, key(Qt::Key_Escape), IDCANCEL},
        AnswerRow{"okcancel_close", MB_OKCANCEL, [](QMessageBox* box) { box->close(); }, IDCANCEL},
        AnswerRow{"abort", MB_ABORTRETRYIGNORE, click("Abort"), IDABORT},
        AnswerRow{"retry", MB_ABORTRETRYIGNORE, click("Retry"), IDRETRY},
        AnswerRow{"ignore", MB_ABORTRETRYIGNORE, click("Ignore"), IDIGNORE},
        AnswerRow{"abortretryignore_escape_ignored", MB_ABORTRETRYIGNORE,
                  dismiss_then_click(true, "Ignore"), IDIGNORE},
        AnswerRow{"yes", MB_YESNOCANCEL, click("Yes"), IDYES},
        AnswerRow{"no", MB_YESNOCANCEL, click("No"), IDNO},
        AnswerRow{"yesnocancel_escape", MB_YESNOCANCEL, key(Qt::Key_Escape), IDCANCEL},
        AnswerRow{"yesno_no", MB_YESNO, click("No"), IDNO},
        AnswerRow{"yesno_escape_ignored", MB_YESNO, dismiss_then_click(true, "Yes"), IDYES},
        AnswerRow{"yesno_close_ignored", MB_YESNO, dismiss_then_click(false, "Yes"), IDYES},
        AnswerRow{"yesno_enter_default_second", MB_YESNO | MB_DEFBUTTON2, key(Qt::Key_Return),
                  IDNO},
        AnswerRow{"retrycancel_retry", MB_RETRYCANCEL, click("Retry"), IDRETRY},
        AnswerRow{"retrycancel_cancel", MB_RETRYCANCEL, click("Cancel"), IDCANCEL},
        AnswerRow{"try_again", MB_CANCELTRYCONTINUE, click("Try Again"), IDTRYAGAIN},
        AnswerRow{"continue", MB_CANCELTRYCONTINUE, click("Continue"), IDCONTINUE},
        AnswerRow{"icon_bits_do_not_change_answers", MB_OKCANCEL | MB_ICONWARNING, click("Cancel"),
                  IDCANCEL}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(User32MessageBox, ShowsGbkTextTitleAndIcon) {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::WindowModality modality = Qt::NonModal;
  QWidget* parent = nullptr;
  when_box_shows([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    modality = box->windowModality();
    parent = box->parentWidget();
    box->button(QMessageBox::Ok)->click();
  });
  // "友情提醒" and "<b>x</b>" in GBK; markup is shown as it is.
  EXPECT_EQ(MessageBoxA(nullptr, "<b>\xC4\xE3\xBA\xC3</b>", "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1",
                        MB_ICONERROR),
            IDOK);
  EXPECT_EQ(title, QString::fromUtf8("友情提醒"));
  EXPECT_EQ(text, QString::fromUtf8("<b>你好</b>"));
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(modality, Qt::ApplicationModal);
  EXPECT_EQ(parent, nullptr);
}

HWND handle_of(const QWidget& window) {
  struct Search {
    QString title;
    HWND found;
  } search{window.windowTitle(), nullptr};
  EnumWindows(
      [](HWND candidate, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        char buffer[256];
        GetWindowTextA(candidate, buffer, sizeof(buffer));
        if (s->title == QString::fromLatin1(buffer)) {
          s->found = candidate;
        }
        return BOOL{1};
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(User32MessageBox, AnOwnedBoxIsModalToItsOwner) {
  QWidget owner;
  owner.setWindowTitle("owner window");
  owner.show();
  const HWND handle = handle_of(owner);
  ASSERT_NE(handle, nullptr);
  QWidget* parent = nullptr;
  Qt::WindowModality modality = Qt::NonModal;
  bool in_front_of_owner = false;
  when_box_shows([&](QMessageBox* box) {
    parent = box->parentWidget();
    modality = box->windowModality();
    in_front_of_owner = box->windowHandle() != nullptr &&
                        box->windowHandle()->transientParent() == owner.windowHandle();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(MessageBoxA(handle, "owned", "title", MB_OK), IDOK);
  EXPECT_EQ(parent, &owner);
  EXPECT_EQ(modality, Qt::WindowModal);
  EXPECT_TRUE(in_front_of_owner);
}

TEST_F(User32MessageBox, RefusesWhatWindowsRefuses) {
  // Neither an unknown button set nor an owner that is no window shows a box.
  EXPECT_EQ(MessageBoxA(nullptr, "text", "title", 0x7), 0);
  EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x7777), "text", "title", MB_OK), 0);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(User32MessageBox, NullTextAndCaption) {
  QString title;
  QString text = "unset";
  when_box_shows([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
  EXPECT_EQ(title, "Error");
  EXPECT_EQ(text, "");
}

}  // namespace
