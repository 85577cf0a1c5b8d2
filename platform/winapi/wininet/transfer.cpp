#include "platform/winapi/wininet/transfer.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/winapi/wininet/header_lines.h"
#include "platform/winapi/wininet/wininet.h"

namespace winapi::wininet {
namespace {

// Body bytes held between reads; libcurl is paused beyond this.
constexpr size_t kBufferLimit = 64 * 1024;
constexpr auto kConnectTimeout = std::chrono::seconds(60);
constexpr auto kLongestPoll = std::chrono::milliseconds(200);

void init_curl_once() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string_view without_line_end(const char* data, size_t size) {
  std::string_view line(data, size);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  return line;
}

int status_of(std::string_view status_line) {
  // "HTTP/1.1 200 OK": the three digits after the first blank.
  const auto blank = status_line.find(' ');
  if (blank == std::string_view::npos || status_line.size() < blank + 4) {
    return 0;
  }
  int code = 0;
  for (size_t i = blank + 1; i < blank + 4; ++i) {
    const char c = status_line[i];
    if (c < '0' || c > '9') {
      return 0;
    }
    code = code * 10 + (c - '0');
  }
  return code;
}

// libcurl reads "Name:" as "remove this header" and "Name;" as "send it empty".
std::string curl_header_entry(const std::string& line) {
  const auto colon = line.find(':');
  if (line.find_first_not_of(" \t", colon + 1) == std::string::npos) {
    return line.substr(0, colon) + ";";
  }
  return line;
}

curl_slist* append(curl_slist* list, const std::string& entry) {
  return curl_slist_append(list, entry.c_str());
}

DWORD error_for(CURLcode code) {
  switch (code) {
    case CURLE_OK:
    case CURLE_PARTIAL_FILE:  // an orderly close before the announced length ends the body
      return ERROR_SUCCESS;
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_URL_MALFORMAT:
      return ERROR_INTERNET_INVALID_URL;
    case CURLE_PEER_FAILED_VERIFICATION:
      return ERROR_INTERNET_INVALID_CA;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
      return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_GOT_NOTHING:
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_BAD_CONTENT_ENCODING:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_RECV_ERROR:
      return ERROR_INTERNET_CONNECTION_RESET;
    default:
      return ERROR_INTERNET_CONNECTION_ABORTED;
  }
}

}  // namespace

std::vector<std::string> ReplyHead::values(std::string_view name) const {
  std::vector<std::string> found;
  for (const auto& line : lines) {
    if (same_header_name(header_name(line), name)) {
      const auto value = std::string_view(line).substr(line.find(':') + 1);
      const auto first = value.find_first_not_of(" \t");
      found.emplace_back(first == std::string_view::npos ? std::string_view()
                                                         : value.substr(first));
    }
  }
  return found;
}

std::string ReplyHead::raw_text() const {
  std::string text = status_line + "\r\n";
  for (const auto& line : lines) {
    text += line + "\r\n";
  }
  return text + "\r\n";
}

Transfer::Transfer(Exchange exchange) : exchange_(std::move(exchange)) {
  init_curl_once();
  multi_.reset(curl_multi_init());
  easy_.reset(curl_easy_init());
  if (!multi_ || !easy_ || !configure() ||
      curl_multi_add_handle(multi_.get(), easy_.get()) != CURLM_OK) {
    finished_ = true;
    failure_ = ERROR_INTERNET_INTERNAL_ERROR;
    return;
  }
  attached_ = true;
  last_activity_ = Clock::now();
}

Transfer::~Transfer() {
  if (attached_) {
    curl_multi_remove_handle(multi_.get(), easy_.get());
  }
}

// The header lists libcurl sends: exactly our lines, in order, and an empty
// entry for each header libcurl would otherwise add of its own.
void Transfer::build_lists() {
  // libcurl moves a Host line it finds first to just below the request line;
  // an empty "Host:" entry ahead of ours makes it send ours where it stands.
  curl_slist* headers = append(nullptr, "Host:");
  for (const auto& line : exchange_.header_lines) {
    headers = append(headers, curl_header_entry(line));
  }
  const HeaderLines& wire = exchange_.header_lines;
  for (const char* name : {"Accept", "Expect", "Proxy-Connection", "Content-Type"}) {
    if (!has_header(wire, name)) {
      headers = append(headers, std::string(name) + ":");
    }
  }
  headers_.reset(headers);
  proxy_headers_.reset(append(nullptr, "Proxy-Connection:"));
  curl_slist* connect_to = nullptr;
  for (const auto& entry : exchange_.connect_to) {
    connect_to = append(connect_to, entry);
  }
  connect_to_.reset(connect_to);
}

void Transfer::set_method() {
  CURL* e = easy_.get();
  const auto& x = exchange_;
  if (x.verb == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else if (x.body) {
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(x.body->size()));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, x.body->data());
    if (x.verb != "POST") {
      curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, x.verb.c_str());
    }
  } else if (x.verb != "GET") {
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, x.verb.c_str());
  }
}

bool Transfer::configure() {
  CURL* e = easy_.get();
  const auto& x = exchange_;
  build_lists();
  set_method();
  bool ok = curl_easy_setopt(e, CURLOPT_URL, x.url.c_str()) == CURLE_OK;
  ok = ok && curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
  curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION,
                   x.http_1_0 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(std::chrono::milliseconds(kConnectTimeout).count()));
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers_.get());
  curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxy_headers_.get());
  curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  if (connect_to_) {
    curl_easy_setopt(e, CURLOPT_CONNECT_TO, connect_to_.get());
  }
  if (x.proxy) {
    curl_easy_setopt(e, CURLOPT_PROXY, x.proxy->c_str());
  }
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Transfer::on_header);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Transfer::on_body);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Transfer::on_progress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  return ok;
}

size_t Transfer::on_header(char* data, size_t size, size_t count, void* self) {
  auto* t = static_cast<Transfer*>(self);
  const size_t bytes = size * count;
  t->last_activity_ = Clock::now();
  const auto line = without_line_end(data, bytes);
  if (t->awaiting_status_) {
    // A reply begins; after an interim 1xx one, its lines are dropped.
    t->head_ = ReplyHead{std::string(line), {}, status_of(line)};
    t->awaiting_status_ = false;
  } else if (line.empty()) {
    t->head_done_ = t->head_.status >= 200;
    t->awaiting_status_ = !t->head_done_;
  } else {
    t->head_.lines.emplace_back(line);
  }
  return bytes;
}

size_t Transfer::on_body(char* data, size_t size, size_t count, void* self) {
  auto* t = static_cast<Transfer*>(self);
  const size_t bytes = size * count;
  if (t->buffered() > 0 && t->buffered() + bytes > kBufferLimit) {
    t->paused_ = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  if (t->consumed_ > 0) {
    t->buffer_.erase(0, t->consumed_);
    t->consumed_ = 0;
  }
  t->buffer_.append(data, bytes);
  t->last_activity_ = Clock::now();
  return bytes;
}

int Transfer::on_progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
  auto* t = static_cast<Transfer*>(self);
  if (uploaded != t->uploaded_) {
    t->uploaded_ = uploaded;
    t->last_activity_ = Clock::now();
  }
  return 0;
}

void Transfer::step() {
  int running = 0;
  curl_multi_perform(multi_.get(), &running);
  int left = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi_.get(), &left)) {
    if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy_.get()) {
      finished_ = true;
      result_ = msg->data.result;
    }
  }
  if (!connected_at_) {
    curl_off_t connect_us = 0;
    if (curl_easy_getinfo(easy_.get(), CURLINFO_CONNECT_TIME_T, &connect_us) == CURLE_OK &&
        connect_us > 0) {
      connected_at_ = Clock::now();
    }
  }
}

// Once connected, the peer must send something within the receive time-out
// of our starting to wait for it; the connect phase has its own time-out.
bool Transfer::receive_time_out(Clock::time_point waiting_since) {
  if (!connected_at_) {
    return false;
  }
  const auto since = std::max({waiting_since, last_activity_, *connected_at_});
  return Clock::now() - since >= exchange_.receive_timeout;
}

template <typename Done>
DWORD Transfer::drive(Done done) {
  const auto waiting_since = Clock::now();
  for (;;) {
    if (finished_ || done()) {
      return outcome();
    }
    step();
    if (finished_ || done()) {
      return outcome();
    }
    if (exchange_.cancelled && exchange_.cancelled->load()) {
      finished_ = true;
      failure_ = ERROR_INTERNET_OPERATION_CANCELLED;
      return failure_;
    }
    if (receive_time_out(waiting_since)) {
      finished_ = true;
      failure_ = ERROR_INTERNET_TIMEOUT;
      return failure_;
    }
    curl_multi_poll(multi_.get(), nullptr, 0, static_cast<int>(kLongestPoll.count()), nullptr);
  }
}

DWORD Transfer::outcome() const {
  if (failure_ != ERROR_SUCCESS) {
    return failure_;
  }
  return finished_ ? error_for(result_) : ERROR_SUCCESS;
}

DWORD Transfer::wait_for_head() {
  const DWORD error = drive([this] { return head_done_; });
  // With the headers in, a fault further on in the body shows when it is read.
  if (head_done_) {
    return ERROR_SUCCESS;
  }
  return error != ERROR_SUCCESS ? error : ERROR_HTTP_INVALID_SERVER_RESPONSE;
}

DWORD Transfer::read(std::span<char> out, size_t& got) {
  got = 0;
  for (;;) {
    const size_t take = std::min(out.size() - got, buffered());
    std::memcpy(out.data() + got, buffer_.data() + consumed_, take);
    consumed_ += take;
    got += take;
    if (got == out.size()) {
      return ERROR_SUCCESS;
    }
    if (finished_) {
      // Bytes already here go out first; a failure shows on the next read.
      return got > 0 ? ERROR_SUCCESS : outcome();
    }
    if (paused_) {
      paused_ = false;
      curl_easy_pause(easy_.get(), CURLPAUSE_CONT);
      continue;
    }
    const DWORD error = drive([this] { return buffered() > 0 || paused_; });
    if (error != ERROR_SUCCESS && got == 0) {
      return error;
    }
  }
}

}  // namespace winapi::wininet
