// The weekly claim of free minutes and the balance query.
#pragma once

#include "runtime/blocks.h"

namespace client {

enum class ClaimOutcome {
  Sent,            // the claim went out and was not refused as a repeat
  AlreadyClaimed,  // the service says this week's minutes were claimed
  NoToken,         // the member page carries no claim token; nothing was sent
  NoPage,          // the member page did not come (the request failed); nothing was sent
};

// The claim token of the member page: the text after the first
// "giving&hash=" up to the "'," behind it. Empty when the page has none.
rt::Text GetGivingHash();
rt::Text giving_hash_in(rt::TextView member_page);

// Sends the claim with the member page's token. Without a token nothing is
// sent: an empty token would only be refused, and it means the member page
// was not the page of a logged-in member.
ClaimOutcome ClaimWeekly();

// The service's reply to the balance query, as it came.
rt::Text QueryBalance();

}  // namespace client
