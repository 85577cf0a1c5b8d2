#include "web/web_access.h"

#include <algorithm>
#include <utility>

#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"
#include "runtime/window_commands.h"
#include "web/code_pages.h"
#include "web/dll_call.h"
#include "web/growing_bytes.h"
#include "web/message_box.h"
#include "web/reply_cookies.h"
#include "web/request_headers.h"
#include "web/url_parts.h"

namespace web {
namespace {

using konst::Const;
using program::Dll;

constexpr uint32_t kOpenDirect = 1;   // INTERNET_OPEN_TYPE_DIRECT
constexpr uint32_t kOpenProxy = 3;    // INTERNET_OPEN_TYPE_PROXY
constexpr uint32_t kServiceHttp = 3;  // INTERNET_SERVICE_HTTP
constexpr uint32_t kFlagReload = 0x80000000;
constexpr uint32_t kFlagSecure = 0x00800000;
constexpr uint32_t kQueryRawHeadersCrLf = 22;
constexpr uint32_t kChunk = 512;
constexpr uint32_t kHeaderBuffer = 1024;
constexpr uint32_t kHeaderBufferLimit = 0x7fffffff;  // what BlankText can make

rt::TextView k(Const c) {
  return konst::text(c);
}

// A WinINet handle, closed when it goes out of scope; the three handles of a
// call are declared in opening order and so closed in the reverse order.
class InternetHandle {
 public:
  explicit InternetHandle(uintptr_t handle) : handle_(handle) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (handle_ != 0) {
      call(Dll::InternetCloseHandle, {handle_});
    }
  }
  uintptr_t get() const { return handle_; }
  explicit operator bool() const { return handle_ != 0; }

 private:
  uintptr_t handle_;
};

struct Request {
  const UrlParts& parts;
  rt::TextView verb;
  rt::TextView proxy;
  rt::TextView headers;
  rt::TextView data;  // empty for a GET
};

struct Reply {
  rt::Bytes body;
  rt::Text raw_headers;
};

uintptr_t open_internet(rt::TextView proxy) {
  const uintptr_t agent = word(k(Const::UserAgent).c_str());
  const uintptr_t empty = word(k(Const::Empty).c_str());
  if (rt::remove_spaces(proxy).empty()) {
    return call(Dll::InternetOpenA, {agent, kOpenDirect, empty, empty, 0});
  }
  const rt::Text proxy_name = rt::concat({k(Const::ProxyPrefix), proxy});
  return call(Dll::InternetOpenA, {agent, kOpenProxy, word(proxy_name.c_str()), empty, 0});
}

// Reads until a read delivers nothing, letting the window's pending events be
// handled before every read. The result grows in amortised linear time. A
// read that fails (a reset connection) and a body too large for a byte set
// give the empty set rather than a cut reply that looks whole.
rt::Bytes read_body(uintptr_t request) {
  GrowingBytes result;
  for (;;) {
    const rt::Bytes buffer = rt::zero_bytes(kChunk);
    rt::process_events();
    uint32_t count = 0;
    if (call(Dll::InternetReadFile, {request, word(buffer.data()), kChunk, word(&count)}) == 0) {
      return {};
    }
    if (count == 0) {
      break;
    }
    if (!result.append(buffer.span().first(std::min(count, kChunk)))) {
      return {};
    }
  }
  return result.finish();
}

// Headers that do not fit the first buffer are asked for again with the size
// the query reports, so that a long reply still gives up its cookies.
rt::Text raw_reply_headers(uintptr_t request) {
  uint32_t length = kHeaderBuffer;
  rt::Text buffer = rt::blank_text(kHeaderBuffer);
  const uintptr_t done = call(
      Dll::HttpQueryInfoA, {request, kQueryRawHeadersCrLf, word(buffer.data()), word(&length), 0});
  if (done == 0 && length > kHeaderBuffer && length <= kHeaderBufferLimit) {
    buffer = rt::blank_text(static_cast<int32_t>(length));
    call(Dll::HttpQueryInfoA,
         {request, kQueryRawHeadersCrLf, word(buffer.data()), word(&length), 0});
  }
  return buffer;
}

Reply exchange(const Request& r) {
  const uintptr_t empty = word(k(Const::Empty).c_str());
  const InternetHandle internet(open_internet(r.proxy));
  if (!internet) {
    return {};
  }
  const InternetHandle connection(
      call(Dll::InternetConnectA, {internet.get(), word(r.parts.host.c_str()),
                                   int_word(r.parts.port), empty, empty, kServiceHttp, 0, 0}));
  if (!connection) {
    return {};
  }
  const uint32_t flags = kFlagReload | (r.parts.secure ? kFlagSecure : 0);
  // No accepted-types list: the word is the address of a list of texts.
  const InternetHandle request(call(
      Dll::HttpOpenRequestA, {connection.get(), word(r.verb.c_str()), word(r.parts.path.c_str()),
                              word(k(Const::HttpVersion).c_str()), empty, 0, flags, 0}));
  if (!request) {
    return {};
  }
  call(Dll::HttpSendRequestA,
       {request.get(), word(r.headers.c_str()), int_word(rt::text_length(r.headers)),
        word(r.data.c_str()), int_word(rt::text_length(r.data))});
  Reply reply;
  reply.body = read_body(request.get());
  reply.raw_headers = raw_reply_headers(request.get());
  return reply;
}

rt::Bytes convert_reply(rt::Bytes body, int32_t conversion) {
  if (conversion != kReplyUtf8 && conversion != kReplyBig5) {
    return body;
  }
  const rt::Text text = rt::to_text(rt::BytesView(body));
  const rt::Text converted =
      conversion == kReplyUtf8 ? ConvertUtf8ToGbk(text) : ConvertBig5ToSimplifiedGbk(text);
  return rt::text_to_bytes(converted);
}

}  // namespace

rt::Bytes 网页_访问(rt::TextView url, const WebAccessOptions& options) {
  const int32_t method = options.access_method.value_or(kAccessGet);
  if (method != kAccessGet && method != kAccessPost) {
    ShowMessageBox({.message = k(Const::AccessMethodWrong)});
    return {};
  }
  const bool post = method == kAccessPost;
  const UrlParts parts = split_url(url);
  const rt::TextView data = post ? options.data.value_or(k(Const::Empty)) : k(Const::Empty);
  const rt::Text headers =
      request_headers(options.extra_headers.value_or(k(Const::Empty)), parts.url, post, data);
  const Request request{.parts = parts,
                        .verb = k(post ? Const::VerbPost : Const::VerbGet),
                        .proxy = options.proxy.value_or(k(Const::Empty)),
                        .headers = headers,
                        .data = data};
  Reply reply = exchange(request);
  const rt::Text cookie_url =
      rt::concat({k(parts.secure ? Const::SchemeHttps : Const::SchemeHttp), parts.host});
  store_reply_cookies(reply.raw_headers, cookie_url);
  return convert_reply(std::move(reply.body), options.reply_conversion.value_or(kReplyAsIs));
}

}  // namespace web
