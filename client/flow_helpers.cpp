#include "client/flow_helpers.h"

#include "runtime/abi.h"
#include "runtime/core_commands.h"
#include "web/web_access.h"

namespace client {

rt::Text read_trimmed(rt::ControlRef edit_box) {
  const rt::Text content = rt::read_text_property(edit_box, abi::property::Content);
  return rt::trim_spaces(content);
}

rt::Bytes get_page(rt::TextView url) {
  return web::网页_访问(url);
}

rt::Bytes post_form(rt::TextView url, rt::TextView body) {
  return web::网页_访问(url, {.access_method = web::kAccessPost, .data = body});
}

}  // namespace client
