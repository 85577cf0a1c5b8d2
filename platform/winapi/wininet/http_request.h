// A request handle's work: sending with WinINet's headers, following
// redirects itself, storing every reply's cookies, then reading the final
// reply's body.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/winapi/wininet/header_lines.h"
#include "platform/winapi/wininet/request_target.h"
#include "platform/winapi/wininet/transfer.h"

namespace winapi::wininet {

// What InternetOpen settles for every request below it.
struct Session {
  std::string agent;
  DWORD access_type = 1;
  std::string proxy;         // WinINet's proxy list: "http=host:port" entries
  std::string proxy_bypass;  // ';' or blank separated host patterns, "<local>"
};

struct Connection {
  std::shared_ptr<const Session> session;
  std::string host;
  uint16_t port = 0;  // 0: the scheme's default
};

struct RequestSetup {
  std::string verb;
  std::string object;
  bool http_1_0 = false;
  std::string referer;
  std::string accept;
  DWORD flags = 0;
};

class HttpRequest {
 public:
  HttpRequest(std::shared_ptr<const Connection> connection, RequestSetup setup);

  // ERROR_SUCCESS once the final reply's headers are in, else a WinINet error.
  DWORD send(std::string_view header_text, std::string_view body);
  DWORD read(std::span<char> out, size_t& got);
  // The final reply, once sent.
  const ReplyHead* reply() const;
  // Ends a send or read that is waiting on another thread, within one poll
  // of the exchange (at most 200 ms); used as the handle is closed.
  void cancel() { cancelled_->store(true); }

 private:
  Exchange exchange_for(const Target& target, const std::string& verb, const HeaderLines& caller,
                        const std::optional<std::string>& body, bool redirected) const;
  void store_cookies(const Target& target, const ReplyHead& head) const;

  std::shared_ptr<const Connection> connection_;
  RequestSetup setup_;
  std::unique_ptr<Transfer> transfer_;
  std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
};

// The proxy for a request under a session: "" for a direct connection,
// nullopt for the environment's settings.
std::optional<std::string> proxy_for(const Session& session, const Target& target);

}  // namespace winapi::wininet
