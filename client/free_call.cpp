#include "client/free_call.h"

#include "client/flow_helpers.h"
#include "client/form_value.h"
#include "client/service_controls.h"
#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace client {
namespace {

using konst::Const;

// The service answers a placed call with a short page; anything shorter or
// longer is a refusal or a failure.
constexpr int32_t kShortestPlacedReply = 101;
constexpr int32_t kLongestPlacedReply = 159;

}  // namespace

rt::Text TextBetween(rt::TextView text, rt::TextView start, rt::TextView end) {
  const int32_t start_at = rt::find_text(text, start);
  if (start_at <= 0) {
    return {};
  }
  const int32_t rest_length = rt::text_length(text) - start_at - rt::text_length(start) + 1;
  const rt::Text rest = rt::right_text(text, rest_length);
  const int32_t end_at = rt::find_text(rest, end);
  if (end_at <= 0) {
    return {};
  }
  return rt::left_text(rest, end_at - 1);
}

rt::Text GetOwnIp() {
  const rt::Bytes reply = get_page(konst::text(Const::IpEchoUrl));
  const rt::Text page = rt::bytes_to_value(reply);
  return TextBetween(page, konst::text(Const::H2Open), konst::text(Const::H2Close));
}

void PlaceFreeCall() {
  const rt::Text number = form_value(read_trimmed(k拨打电话));
  const rt::Text address = form_value(GetOwnIp());
  const rt::Text body =
      rt::concat({konst::text(Const::FreeCallBody), number, konst::text(Const::UrlField),
                  konst::text(Const::ServiceHostName), konst::text(Const::IpField), address});
  const rt::Bytes reply = post_form(konst::text(Const::ServiceUrl), body);
  const int32_t length = rt::bytes_length(reply);
  const bool placed = length >= kShortestPlacedReply && length <= kLongestPlacedReply;
  rt::show_message(konst::text(placed ? Const::CallPlaced : Const::CallFailed));
}

}  // namespace client
