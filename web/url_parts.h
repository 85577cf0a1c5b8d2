// How the web access routine reads a URL: the normalised address, the host,
// the path and the port it connects to.
#pragma once

#include <cstdint>

#include "runtime/blocks.h"

namespace web {

struct UrlParts {
  rt::Text url;   // trimmed, with "http://" put in front when it names no scheme
  rt::Text host;  // lower case, without port
  rt::Text path;  // from the first "/" after the host, query included; "/" when none
  int32_t port = 80;
  bool secure = false;  // "https://": TLS, port 443 unless the URL names one
};

UrlParts split_url(rt::TextView url);

}  // namespace web
