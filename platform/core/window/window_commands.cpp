// The window commands of the core command table.
#include <span>
#include <string>

#include "platform/console/message_line.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/session.h"
#include "platform/core/window/window_api.h"
#include "platform/support/link_target.h"

namespace core::window {
namespace {

using Args = std::span<const abi::ArgRecord>;

// The title of a message box given none: "岚音宝" in GBK.
constexpr std::string_view kDefaultTitle = "\xe1\xb0\xd2\xf4\xb1\xa6";

// A control reference: the window id in the value word, the control id in
// the high word.
LiveControl& control_arg(const ArgReader& args, size_t i) {
  const abi::ArgRecord& a = args.record(i);
  return control_for(args.command(), static_cast<uint32_t>(a.value), a.high);
}

LiveControl& control_arg(const ArgReader& args, size_t i, uint32_t kind) {
  LiveControl& c = control_arg(args, i);
  if (c.kind != kind) {
    fatal_error(std::string(args.command()) + ": control (" + form::kind_name(c.kind) +
                ") is not of kind " + form::kind_name(kind));
  }
  return c;
}

abi::ArgRecord show_message(Args records) {
  const ArgReader args("ShowMessage", records);
  const std::string_view text = args.text(0);
  // A handler still running after the start window was closed (it waited on
  // the network) shows no box: the program is ending.
  if (session().closed) {
    return no_result();
  }
  const std::string_view title =
      args.given(2) && args.record(2).tag == abi::tag::Text ? args.text(2) : kDefaultTitle;
  Backend* backend = session().backend.get();
  if (console::print_message_instead(backend != nullptr && backend->can_show_message())) {
    console::print_message(title, text);
  } else {
    backend->message_box(title, text);
  }
  return no_result();
}

abi::ArgRecord process_events(Args) {
  if (Backend* backend = session().backend.get()) {
    backend->process_events();
  }
  return no_result();
}

abi::ArgRecord close_window(Args records) {
  control_arg(ArgReader("CloseWindow", records), 0, abi::kind::Window);
  session().backend->close_window();
  return no_result();
}

abi::ArgRecord set_focus_to(Args records) {
  const LiveControl& c = control_arg(ArgReader("SetFocusTo", records), 0);
  if (c.kind != abi::kind::Timer) {
    session().backend->set_focus(c.handle);
  }
  return no_result();
}

// The caret ends up behind the appended text.
abi::ArgRecord append_text(Args records) {
  const ArgReader args("AppendText", records);
  const LiveControl& c = control_arg(args, 0, abi::kind::EditBox);
  Backend& backend = *session().backend;
  backend.set_text(c.handle, backend.text(c.handle) + std::string(args.text(1)));
  return no_result();
}

abi::ArgRecord open_link(Args records) {
  const LiveControl& c = control_arg(ArgReader("OpenLink", records), 0, abi::kind::HyperlinkBox);
  if (!c.text.empty()) {
    support::open_link(c.text);
  }
  return no_result();
}

// Errors that end the process are told in a box over the window before it
// goes, where a box can be shown; the program is ending, so what waits on
// the network is cancelled and no further box of the program opens.
void show_fault(std::string_view message) {
  Session& s = session();
  Backend* backend = s.backend.get();
  if (console::print_message_instead(backend != nullptr && backend->can_show_message())) {
    return;
  }
  s.closed = true;
  backend->set_busy(false);
  backend->message_box(kDefaultTitle, message);
}

}  // namespace

void register_window_commands() {
  set_fault_notice(&show_fault);
  register_core_command(abi::cmd::ShowMessage, show_message);
  register_core_command(abi::cmd::ProcessEvents, process_events);
  register_core_command(abi::cmd::CloseWindow, close_window);
  register_core_command(abi::cmd::SetFocusTo, set_focus_to);
  register_core_command(abi::cmd::AppendText, append_text);
  register_core_command(abi::cmd::OpenLink, open_link);
}

}  // namespace core::window
