// Placing a free call, and the two small routines the balance query reuses.
#pragma once

#include "runtime/blocks.h"

namespace client {

// The text after the first `start` up to the first `end` behind it; empty
// when either marker is missing.
rt::Text TextBetween(rt::TextView text, rt::TextView start, rt::TextView end);

// The public address as the IP echo page reports it between "<h2>" and
// "</h2>"; empty when the page cannot be read or lacks the markers.
rt::Text GetOwnIp();

// Asks the service to call the number in 拨打电话 and tells the user, from the
// reply's length alone, whether the request went through.
void PlaceFreeCall();

}  // namespace client
