// The window commands of the core command table.
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/blocks.h"
#include "platform/core/window/controls.h"
#include "platform/core/window/look.h"
#include "platform/core/window/session.h"
#include "platform/core/window/window_api.h"
#include "platform/support/link_target.h"

namespace core::window {
namespace {

using Args = std::span<const abi::ArgRecord>;

constexpr abi::ArgRecord kNoResult{0, 0, abi::tag::None};

const abi::ArgRecord& arg(const char* what, Args args, size_t i) {
  if (i >= args.size()) {
    fatal_error(std::string(what) + ": argument " + std::to_string(i + 1) + " is missing");
  }
  return args[i];
}

std::string_view text_arg(const char* what, Args args, size_t i) {
  const abi::ArgRecord& a = arg(what, args, i);
  if (a.tag != abi::tag::Text) {
    fatal_error(std::string(what) + ": argument " + std::to_string(i + 1) + " is not a text");
  }
  return text_at(a.value);
}

// A control reference: the window id in the value word, the control id in
// the high word.
LiveControl& control_arg(const char* what, Args args, size_t i, uint32_t kind) {
  const abi::ArgRecord& a = arg(what, args, i);
  LiveControl& c = control_for(what, static_cast<uint32_t>(a.value), a.high);
  if (c.kind != kind || !c.widget) {
    fatal_error(std::string(what) + ": control (" + form::kind_name(c.kind) + ") is not of kind " +
                form::kind_name(kind));
  }
  return c;
}

bool messages_to_stderr() {
  const char* mode = std::getenv("WINAPI_MSGBOX");
  return (mode && std::strcmp(mode, "stderr") == 0) ||
         !qobject_cast<QApplication*>(QCoreApplication::instance());
}

abi::ArgRecord show_message(Args args) {
  const QString text = to_qtext(std::string(text_arg("ShowMessage", args, 0)));
  QString title = QStringLiteral("岚音宝");
  if (args.size() > 2 && args[2].tag == abi::tag::Text) {
    title = to_qtext(std::string(text_at(args[2].value)));
  }
  if (messages_to_stderr()) {
    std::fprintf(stderr, "[%s] %s\n", title.toUtf8().constData(), text.toUtf8().constData());
    return kNoResult;
  }
  // exec() keeps the window's events (timers, repaints) running while the box
  // is open, as the program relies on.
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, session().window);
  box.setTextFormat(Qt::PlainText);
  box.exec();
  return kNoResult;
}

abi::ArgRecord process_events(Args) {
  if (QCoreApplication::instance()) {
    QCoreApplication::processEvents();
  }
  return kNoResult;
}

abi::ArgRecord close_window(Args args) {
  control_arg("CloseWindow", args, 0, abi::kind::Window).widget->close();
  return kNoResult;
}

abi::ArgRecord set_focus_to(Args args) {
  const abi::ArgRecord& a = arg("SetFocusTo", args, 0);
  LiveControl& c = control_for("SetFocusTo", static_cast<uint32_t>(a.value), a.high);
  if (c.widget) {
    c.widget->setFocus(Qt::OtherFocusReason);
  }
  return kNoResult;
}

abi::ArgRecord append_text(Args args) {
  auto* edit =
      static_cast<FocusEdit*>(control_arg("AppendText", args, 0, abi::kind::EditBox).widget.data());
  edit->setText(edit->text() + to_qtext(std::string(text_arg("AppendText", args, 1))));
  edit->end(false);
  return kNoResult;
}

abi::ArgRecord open_link(Args args) {
  const auto* link = static_cast<HyperlinkBox*>(
      control_arg("OpenLink", args, 0, abi::kind::HyperlinkBox).widget.data());
  if (!link->target().empty()) {
    QDesktopServices::openUrl(support::url_for_target(link->target()));
  }
  return kNoResult;
}

}  // namespace

void register_window_commands() {
  register_core_command(abi::cmd::ShowMessage, show_message);
  register_core_command(abi::cmd::ProcessEvents, process_events);
  register_core_command(abi::cmd::CloseWindow, close_window);
  register_core_command(abi::cmd::SetFocusTo, set_focus_to);
  register_core_command(abi::cmd::AppendText, append_text);
  register_core_command(abi::cmd::OpenLink, open_link);
}

}  // namespace core::window
