// Steps the service flows share: reading a box trimmed, and the two kinds of
// request they make (a plain GET, a form POST), both through the web access
// routine with no proxy, no extra headers and the reply as it came.
#pragma once

#include "runtime/blocks.h"
#include "runtime/window_commands.h"

namespace client {

// The content of an edit box without leading and trailing blanks.
rt::Text read_trimmed(rt::ControlRef edit_box);

rt::Bytes get_page(rt::TextView url);
rt::Bytes post_form(rt::TextView url, rt::TextView body);

}  // namespace client
