// Registration in two steps: the service phones the number with a voice
// code, then number and code are submitted together. The timer 时钟1 watches
// the first step for a network that does not answer.
#include <cstring>

#include "client/controls.h"
#include "client/flow_helpers.h"
#include "client/form_value.h"
#include "client/handlers.h"
#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace client {
namespace {

using konst::Const;

constexpr int32_t kWatchdogMs = 10000;
// The second tab page, where a registered member logs in and calls.
constexpr int32_t kCallingPage = 1;

void set_watchdog(int32_t interval_ms) {
  rt::write_int_property(k时钟1, abi::property::Content, interval_ms);
}

// Success is a reply of exactly the one byte "6": a line end, a blank or any
// byte after it (a zero byte included, which a conversion to text would cut
// off) makes it a refusal.
bool is_acceptance(rt::BytesView reply) {
  const rt::TextView accepted = konst::text(Const::RegistrationAccepted);
  return reply.size() == accepted.size() &&
         std::memcmp(reply.data(), accepted.c_str(), accepted.size()) == 0;
}

}  // namespace
}  // namespace client

using konst::Const;

extern "C" void RequestVoiceCode() {
  client::set_watchdog(client::kWatchdogMs);
  {
    const rt::Text mobile = client::form_value(client::read_trimmed(client::k编辑框3));
    const rt::Text body = rt::concat({konst::text(Const::VoiceCodeBody), mobile});
    // The reply says nothing the program uses: the call itself is the answer.
    const rt::Bytes reply = client::post_form(konst::text(Const::VoiceCodeUrl), body);
  }
  rt::show_message(konst::text(Const::VoiceCodeComing));
  client::set_watchdog(0);
}

extern "C" void WatchdogTick() {
  rt::show_message(konst::text(Const::CheckNetwork));
  client::set_watchdog(0);
}

extern "C" void SubmitRegistration() {
  bool accepted = false;
  {
    const rt::Text mobile = client::form_value(client::read_trimmed(client::k编辑框3));
    const rt::Text code = client::form_value(client::read_trimmed(client::k编辑框4));
    const rt::Text body = rt::concat(
        {konst::text(Const::RegistrationBody), mobile, konst::text(Const::VerifyCodeField), code});
    const rt::Bytes reply = client::post_form(konst::text(Const::ServiceUrl), body);
    accepted = client::is_acceptance(reply);
  }
  if (!accepted) {
    rt::show_message(konst::text(Const::RegistrationRefused));
    return;
  }
  rt::show_message(konst::text(Const::RegistrationDone));
  rt::write_int_property(client::k选择夹1, abi::property::CurrentPage, client::kCallingPage);
}

extern "C" void OnVoiceCodeGotFocus() {
  client::clear_edit_box(client::k编辑框4);
}
