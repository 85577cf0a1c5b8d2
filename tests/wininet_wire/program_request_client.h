// Sends one of the program's requests through WinINet with the arguments the
// program's routines pass: a direct internet handle with the program's agent,
// a connection to 127.0.0.1:port with empty user and password, a request
// with version "HTTP/1.1", empty referrer, no accepted types and only
// INTERNET_FLAG_RELOAD (other flags for probing), then the header text and
// body in one send.
#pragma once

#include <cstdint>
#include <string>

#include "tests/wininet_wire/program_requests.h"

namespace wininet_wire {

struct SendResult {
  bool sent = false;
  uint32_t error = 0;  // GetLastError after a failed step
  std::string reply_body;
};

inline constexpr uint32_t kProgramFlags = 0x80000000;  // INTERNET_FLAG_RELOAD

SendResult send_program_request(int port, const ProgramRequest& request,
                                uint32_t flags = kProgramFlags);

}  // namespace wininet_wire
