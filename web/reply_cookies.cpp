#include "web/reply_cookies.h"

#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/memory_file.h"
#include "web/dll_call.h"

namespace web {
namespace {

using konst::Const;

constexpr int32_t kSetCookieLength = 12;  // "Set-Cookie: "

rt::TextView k(Const c) {
  return konst::text(c);
}

// Only a line that starts with the header name is a Set-Cookie line: a
// header such as "X-Set-Cookie: " must not be cut into a cookie.
void store_line(rt::TextView line, rt::TextView cookie_url) {
  if (rt::find_text(line, k(Const::SetCookieName), 1, true) != 1) {
    return;
  }
  const rt::Text rest = rt::replace_range(line, 1, kSetCookieLength);
  const int32_t equals = rt::find_text(rest, k(Const::EqualsSign));
  if (equals <= 0) {
    return;
  }
  const rt::Text name = rt::left_text(rest, equals - 1);
  const rt::Text data = rt::mid_text(rest, equals + 1, rt::text_length(rest) - equals);
  call(program::Dll::InternetSetCookieA,
       {word(cookie_url.c_str()), word(name.c_str()), word(data.c_str())});
}

}  // namespace

void store_reply_cookies(rt::TextView raw_headers, rt::TextView cookie_url) {
  if (rt::find_text(raw_headers, k(Const::SetCookieName), 1, true) <= 0) {
    return;
  }
  rt::MemoryFile lines;
  lines.write(raw_headers);
  lines.seek_to_start();
  while (!lines.at_end()) {
    const rt::Text line = lines.read_line();
    store_line(line, cookie_url);
  }
}

}  // namespace web
