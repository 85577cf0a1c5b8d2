#include "web/url_parts.h"

#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace web {
namespace {

using konst::Const;

constexpr int32_t kHttpPort = 80;
constexpr int32_t kHttpsPort = 443;

rt::TextView k(Const c) {
  return konst::text(c);
}

bool starts_with(rt::TextView text, Const prefix, bool case_matters) {
  const rt::Text head = rt::left_text(text, rt::text_length(k(prefix)));
  return rt::compare_text(head, k(prefix), case_matters) == 0;
}

rt::Text normalise(rt::TextView url) {
  rt::Text trimmed = rt::trim_spaces(url);
  if (starts_with(trimmed, Const::SchemeHttp, true) ||
      starts_with(trimmed, Const::SchemeHttps, true)) {
    return trimmed;
  }
  return rt::concat({k(Const::SchemeHttp), trimmed});
}

rt::Text before_first(rt::Text text, Const sought) {
  const int32_t at = rt::find_text(text, k(sought));
  return at > 0 ? rt::left_text(text, at - 1) : std::move(text);
}

rt::Text host_of(rt::TextView url) {
  const rt::Text without_https = rt::replace_all(url, k(Const::SchemeHttps), k(Const::Empty));
  rt::Text rest = rt::replace_all(without_https, k(Const::SchemeHttp), k(Const::Empty));
  rest = before_first(std::move(rest), Const::Slash);
  rest = before_first(std::move(rest), Const::Colon);
  return rt::to_lower(rest);
}

// The host is looked for behind the scheme: a host such as "t" or "p" would
// otherwise be found inside the scheme itself and the path would start there.
rt::Text path_of(rt::TextView url, rt::TextView host, int32_t scheme_length) {
  const int32_t at = rt::find_text(url, host, scheme_length + 1, true);
  const int32_t slash = at > 0 ? rt::find_text(url, k(Const::Slash), at) : -1;
  if (slash <= 0) {
    return rt::to_text(k(Const::Slash));
  }
  return rt::mid_text(url, slash, rt::text_length(url) - slash + 1);
}

// The number after the first ":" of the authority; text that is no number
// gives 0, the service's default port.
int32_t port_of(rt::TextView url, int32_t scheme_length, int32_t default_port) {
  const int32_t start = scheme_length + 1;
  const int32_t slash = rt::find_text(url, k(Const::Slash), start);
  const int32_t length = slash > 0 ? slash - start : rt::text_length(url) - scheme_length;
  const rt::Text authority = rt::mid_text(url, start, length);
  const int32_t colon = rt::find_text(authority, k(Const::Colon));
  if (colon <= 0) {
    return default_port;
  }
  const rt::Text digits = rt::mid_text(authority, colon + 1, rt::text_length(authority) - colon);
  return static_cast<int32_t>(rt::float_to_int(rt::text_to_number(digits)));
}

}  // namespace

UrlParts split_url(rt::TextView url) {
  UrlParts parts;
  parts.url = normalise(url);
  parts.secure = starts_with(parts.url, Const::SchemeHttps, true);
  const int32_t scheme_length =
      rt::text_length(k(parts.secure ? Const::SchemeHttps : Const::SchemeHttp));
  parts.host = host_of(parts.url);
  parts.path = path_of(parts.url, parts.host, scheme_length);
  parts.port = port_of(parts.url, scheme_length, parts.secure ? kHttpsPort : kHttpPort);
  return parts;
}

}  // namespace web
