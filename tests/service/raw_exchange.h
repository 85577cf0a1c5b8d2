// One request over a plain socket, with what came back recorded byte for
// byte: the bytes, how many reads they took, when the first one came, and
// how the connection ended. Sees what an HTTP client library would hide.
#pragma once

#include <chrono>
#include <string>

namespace service_test {

enum class Ending { Closed, Reset, TimedOut };

struct RawReply {
  std::string bytes;
  int reads = 0;
  std::chrono::milliseconds first_byte_after{-1};
  std::chrono::milliseconds ended_after{0};
  Ending ending = Ending::TimedOut;

  // The status line's code, 0 when the bytes are no HTTP reply.
  int status() const;
  // The value of the first header of that name (case ignored), or empty.
  std::string header(const std::string& name) const;
  std::string body() const;  // everything after the blank line
};

// Sends `request` as it is to 127.0.0.1:`port` and reads until the server
// closes, resets, or `patience` passes.
RawReply raw_exchange(int port, const std::string& request,
                      std::chrono::milliseconds patience = std::chrono::seconds(10));

// "GET `target` HTTP/1.1" with a Host line and nothing else.
std::string raw_get(const std::string& target, const std::string& extra_headers = "");

}  // namespace service_test
