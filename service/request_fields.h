// What the handlers read from a request: form fields of the body and of the
// query, the session cookie, and whether the caller is on this machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "service/form_fields.h"

namespace httplib {
struct Request;
}

namespace service {

inline constexpr char kSessionCookie[] = "lyb_session";

// Parsed from the raw request target, so a malformed escape is seen.
FormParse query_fields(const httplib::Request& req);

// The value of the session cookie from the request's Cookie lines ("a=b; c=d"),
// or the empty text.
std::string session_cookie(const httplib::Request& req);
std::string cookie_value(std::string_view cookie_line, std::string_view name);

// "Set-Cookie" value that gives a client its session for the whole site.
std::string session_cookie_header(const std::string& id);

bool is_loopback(std::string_view address);
// The caller's address, an IPv4-mapped IPv6 address shown as plain IPv4.
std::string caller_address(const httplib::Request& req);

}  // namespace service
