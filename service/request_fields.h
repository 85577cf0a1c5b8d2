// What the handlers read from a request: form fields of the body and of the
// query, the session cookie, and whether the caller is on this machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "service/form_fields.h"

namespace httplib {
struct Request;
}

namespace service {

inline constexpr char kSessionCookie[] = "lyb_session";
// The header the fault gate adds to each request it relays: the address of
// the client it came from. The gate drops a client's own header of that name.
inline constexpr char kPeerHeader[] = "X-Standin-Peer";

// Parsed from the raw request target, so a malformed escape is seen.
FormParse query_fields(const httplib::Request& req);

// The value of the session cookie from the request's Cookie lines ("a=b; c=d"),
// or the empty text.
std::string session_cookie(const httplib::Request& req);
std::string cookie_value(std::string_view cookie_line, std::string_view name);

// "Set-Cookie" value that gives a client its session for the whole site;
// with `max_age`, the cookie expires that many seconds from `now_utc`
// (seconds since 1970), so the client keeps it across restarts.
std::string session_cookie_header(const std::string& id, std::optional<std::int64_t> max_age = {},
                                  std::int64_t now_utc = 0);
// "Thu, 01 Jan 1970 00:00:00 GMT".
std::string http_date(std::int64_t seconds_utc);

bool is_loopback(std::string_view address);
// The caller's address as the fault gate reports it (else the connection's),
// an IPv4-mapped IPv6 address shown as plain IPv4.
std::string caller_address(const httplib::Request& req);

}  // namespace service
