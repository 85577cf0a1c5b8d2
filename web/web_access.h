// The program's one road to the network: a complete HTTP exchange through the
// declared WinINet functions, returning the reply body.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/blocks.h"

namespace web {

inline constexpr int32_t kAccessGet = 0;
inline constexpr int32_t kAccessPost = 1;
inline constexpr int32_t kReplyAsIs = 0;
inline constexpr int32_t kReplyUtf8 = 1;
inline constexpr int32_t kReplyBig5 = 2;

// Every input but the URL may be left out.
struct WebAccessOptions {
  std::optional<int32_t> access_method;       // 0 GET, 1 POST, anything else is refused
  std::optional<rt::TextView> proxy;          // "host:port" of an HTTP proxy; blanks = direct
  std::optional<rt::TextView> extra_headers;  // lines each ending in CR LF
  std::optional<rt::TextView> data;           // the body, sent with POST only
  std::optional<int32_t> reply_conversion;    // kReplyAsIs, kReplyUtf8 or kReplyBig5
};

// The reply body, a new byte set owned by the caller; every failure gives the
// empty byte set. A refused access method is told in a message box and
// nothing is opened. The cookies of the reply go to the system cookie store.
rt::Bytes 网页_访问(rt::TextView url, const WebAccessOptions& options = {});

}  // namespace web
