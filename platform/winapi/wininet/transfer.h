// One HTTP exchange over libcurl's multi interface, driven by the caller:
// headers first, then the body in pieces, with at most a small buffer of body
// bytes held at any time (libcurl is paused while the buffer is full).
#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/winapi/base/windows_types.h"

namespace winapi::wininet {

struct Exchange {
  std::string url;
  std::string verb;
  std::vector<std::string> header_lines;  // exactly what goes on the wire, in order
  std::optional<std::string> body;        // a body (possibly empty) is sent with its length
  bool http_1_0 = false;
  std::optional<std::string> proxy;  // "" for none; nullopt: libcurl reads the environment
  std::vector<std::string> connect_to;
  std::chrono::milliseconds receive_timeout{30000};
  // Set from another thread when the request's handle is closed: the
  // exchange ends with ERROR_INTERNET_OPERATION_CANCELLED.
  std::shared_ptr<const std::atomic<bool>> cancelled;
};

struct ReplyHead {
  std::string status_line;
  std::vector<std::string> lines;  // as received, without line ends
  int status = 0;

  // The values of every line with this name, in order.
  std::vector<std::string> values(std::string_view name) const;
  std::string raw_text() const;  // status line and lines, each ending in CR LF, then CR LF
};

class Transfer {
 public:
  explicit Transfer(Exchange exchange);
  ~Transfer();
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  // Runs until the reply's headers are in. ERROR_SUCCESS or a WinINet error.
  DWORD wait_for_head();
  const ReplyHead& head() const { return head_; }

  // Fills `out` or stops at the end of the body; `got` says how much came.
  DWORD read(std::span<char> out, size_t& got);

 private:
  struct EasyCloser {
    void operator()(CURL* e) const { curl_easy_cleanup(e); }
  };
  struct MultiCloser {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
  };
  struct ListCloser {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
  };
  using Clock = std::chrono::steady_clock;

  static size_t on_header(char* data, size_t size, size_t count, void* self);
  static size_t on_body(char* data, size_t size, size_t count, void* self);
  static int on_progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded);

  void build_lists();
  void set_method();
  bool configure();
  template <typename Done>
  DWORD drive(Done done);
  void step();
  bool receive_time_out(Clock::time_point waiting_since);
  DWORD outcome() const;
  size_t buffered() const { return buffer_.size() - consumed_; }

  Exchange exchange_;
  std::unique_ptr<CURLM, MultiCloser> multi_;
  std::unique_ptr<CURL, EasyCloser> easy_;
  std::unique_ptr<curl_slist, ListCloser> headers_;
  std::unique_ptr<curl_slist, ListCloser> proxy_headers_;
  std::unique_ptr<curl_slist, ListCloser> connect_to_;
  bool attached_ = false;

  ReplyHead head_;
  bool awaiting_status_ = true;
  bool head_done_ = false;
  std::string buffer_;
  size_t consumed_ = 0;
  bool paused_ = false;
  bool finished_ = false;
  CURLcode result_ = CURLE_OK;
  DWORD failure_ = ERROR_SUCCESS;  // set when we end the exchange ourselves
  Clock::time_point last_activity_{};
  std::optional<Clock::time_point> connected_at_;
  curl_off_t uploaded_ = 0;
};

}  // namespace winapi::wininet
