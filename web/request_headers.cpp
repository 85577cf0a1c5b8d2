#include "web/request_headers.h"

#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace web {
namespace {

using konst::Const;

rt::TextView k(Const c) {
  return konst::text(c);
}

// The name is searched with its colon and blank, ignoring case, over the text
// as built so far.
bool names(rt::TextView headers, Const name) {
  return rt::find_text(headers, k(name), 1, true) > 0;
}

}  // namespace

rt::Text request_headers(rt::TextView extra, rt::TextView url, bool post, rt::TextView data) {
  rt::Text headers = rt::to_text(extra);
  if (!names(headers, Const::AcceptName)) {
    headers = rt::concat({headers, k(Const::AcceptDefault)});
  }
  if (!names(headers, Const::RefererName)) {
    headers = rt::concat({headers, k(Const::RefererName), url, k(Const::CrLf)});
  }
  if (!names(headers, Const::AcceptLanguageName)) {
    headers = rt::concat({headers, k(Const::AcceptLanguageDefault)});
  }
  if (post && !data.empty()) {
    const rt::Text length = rt::to_text(rt::text_length(data));
    headers = rt::concat(
        {headers, k(Const::ContentTypeForm), k(Const::ContentLengthName), length, k(Const::CrLf)});
  }
  return headers;
}

}  // namespace web
