// Test helpers: one WinINet exchange end to end, and host names of their own
// per test (mapped onto a loopback port through WININET_CONNECT_TO), so the
// process-wide cookie store never carries cookies from one test to another.
#pragma once

#include <memory>
#include <string>

#include "platform/winapi/wininet/wininet.h"

namespace wininet_test {

struct HandleCloser {
  void operator()(void* h) const { InternetCloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// A fresh host name ("t7.test") routed to 127.0.0.1:port for this process.
std::string routed_host(int port);

struct FetchArgs {
  std::string host;
  int port = 0;  // as passed to InternetConnectA (0: the default)
  std::string verb = "GET";
  std::string path = "/";
  std::string headers;
  std::string body;
  DWORD flags = INTERNET_FLAG_RELOAD;
  DWORD read_size = 512;
  std::string agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
};

struct Fetched {
  bool sent = false;
  DWORD send_error = 0;
  bool read_ok = true;  // every read returned TRUE
  DWORD read_error = 0;
  std::string body;
  std::string raw_headers;
  DWORD status = 0;
};

// Opens, connects, sends, reads the body in read_size pieces, queries, closes.
Fetched fetch(const FetchArgs& args);

}  // namespace wininet_test
