// Hands the cookies of a reply to the system cookie store.
#pragma once

#include "runtime/blocks.h"

namespace web {

// One InternetSetCookieA(cookie_url, name, data) per "Set-Cookie: " header
// line of `raw_headers` (CR LF separated), in order. The data is everything
// after the first "=", attributes included.
void store_reply_cookies(rt::TextView raw_headers, rt::TextView cookie_url);

}  // namespace web
