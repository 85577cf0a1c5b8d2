#include "client/claim.h"

#include "client/flow_helpers.h"
#include "client/form_value.h"
#include "client/free_call.h"
#include "client/handlers.h"
#include "client/service_controls.h"
#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace client {
namespace {

using konst::Const;

rt::Text page_text(rt::TextView url) {
  const rt::Bytes reply = get_page(url);
  return rt::to_text(reply);
}

void show_balance(rt::TextView balance) {
  const rt::Text caption =
      rt::concat({konst::text(Const::BalanceCaption), balance, konst::text(Const::Minutes)});
  rt::write_text_property(k标签6, abi::property::Content, caption);
}

}  // namespace

rt::Text GetGivingHash() {
  return giving_hash_in(page_text(konst::text(Const::MemberPageUrl)));
}

rt::Text giving_hash_in(rt::TextView page) {
  const rt::TextArray pieces = rt::split_text(page, konst::text(Const::GivingMarker));
  // A page without the marker splits into one piece (or none); indexing past
  // it would end the program.
  if (pieces.size() < 2) {
    return {};
  }
  const rt::TextArray token_pieces = rt::split_text(pieces[1], konst::text(Const::TokenEnd));
  if (token_pieces.size() < 1) {
    return {};
  }
  return rt::to_text(token_pieces[0]);
}

ClaimOutcome ClaimWeekly() {
  const rt::Text page = page_text(konst::text(Const::MemberPageUrl));
  if (page.empty()) {
    return ClaimOutcome::NoPage;
  }
  const rt::Text token = giving_hash_in(page);
  if (token.empty()) {
    return ClaimOutcome::NoToken;
  }
  const rt::Text url = rt::concat({konst::text(Const::ClaimUrl), form_value(token)});
  const rt::Text reply = page_text(url);
  return rt::locate_text(reply, konst::text(Const::AlreadyClaimedMarker)) > 0
             ? ClaimOutcome::AlreadyClaimed
             : ClaimOutcome::Sent;
}

rt::Text QueryBalance() {
  const rt::Text address = form_value(GetOwnIp());
  const rt::Text body =
      rt::concat({konst::text(Const::BalanceBody), konst::text(Const::ServiceHostName),
                  konst::text(Const::IpField), address});
  const rt::Bytes reply = post_form(konst::text(Const::ServiceUrl), body);
  return rt::to_text(reply);
}

}  // namespace client

extern "C" void ClaimFromMenu() {
  using konst::Const;
  switch (client::ClaimWeekly()) {
    case client::ClaimOutcome::Sent:
      rt::show_message(konst::text(Const::ClaimDone));
      return;
    case client::ClaimOutcome::AlreadyClaimed:
      rt::show_message(konst::text(Const::AlreadyClaimed));
      return;
    case client::ClaimOutcome::NoToken:
      rt::show_message(konst::text(Const::NotLoggedIn));
      return;
    case client::ClaimOutcome::NoPage:
      rt::show_message(konst::text(Const::CheckNetwork));
      return;
  }
}

// The balance is read before the claim, so the label shows the time as it
// was before this claim. The claim's outcome is not reported here.
extern "C" void ClaimAndShowBalance() {
  using konst::Const;
  const rt::Text balance = client::QueryBalance();
  client::ClaimWeekly();
  if (rt::find_text(balance, konst::text(Const::NotLoggedInMarker)) > 0) {
    rt::show_message(konst::text(Const::NotLoggedIn));
    return;
  }
  client::show_balance(balance);
}
