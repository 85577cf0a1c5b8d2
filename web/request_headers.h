// The header text a request is sent with: the caller's lines, then the
// defaults the caller's text does not already name.
#pragma once

#include "runtime/blocks.h"

namespace web {

// `url` is the normalised URL, sent as the Referer. Content-Type and
// Content-Length come with a POST that carries data, whatever the caller gave.
rt::Text request_headers(rt::TextView extra, rt::TextView url, bool post, rt::TextView data);

}  // namespace web
