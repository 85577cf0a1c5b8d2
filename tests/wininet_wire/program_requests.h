// The program's requests as its routines hand them to WinINet: the verb, the
// path, the header text it builds and the form body, for a service at
// 127.0.0.1:port. Typed from the program's documented behaviour, not read
// from its tables, so a change there shows up here as a difference.
#pragma once

#include <string>
#include <vector>

namespace wininet_wire {

constexpr const char* kProgramAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

struct ProgramRequest {
  std::string name;
  std::string verb;
  std::string path;
  std::string headers;  // the text passed to HttpSendRequestA
  std::string body;     // empty for a GET
};

std::vector<ProgramRequest> program_requests(int port);

// The caller's lines of a request's header text, without their CR LF.
std::vector<std::string> caller_lines(const ProgramRequest& request);

}  // namespace wininet_wire
