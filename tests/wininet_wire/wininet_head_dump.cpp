// Prints the exact request head WinINet sends for each of the program's
// requests, as "### name" followed by the head's lines, for comparing the
// Windows library under Wine with the Linux stand-in.
#include <cstdio>
#include <exception>

#include "tests/wininet_wire/head_recorder.h"
#include "tests/wininet_wire/program_request_client.h"
#include "tests/wininet_wire/program_requests.h"

int main() {
  try {
    const size_t count = wininet_wire::program_requests(0).size();
    for (size_t i = 0; i < count; ++i) {
      wininet_wire::HeadRecorder recorder;
      const auto request = wininet_wire::program_requests(recorder.port())[i];
      const auto result = wininet_wire::send_program_request(recorder.port(), request);
      std::printf("### %s\n", request.name.c_str());
      if (!result.sent) {
        std::printf("(not sent, error %u)\n", static_cast<unsigned>(result.error));
      }
      for (const auto& line : wininet_wire::head_lines(recorder.request())) {
        std::printf("%s\n", line.c_str());
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wininet_head_dump: %s\n", e.what());
    return 1;
  }
  return 0;
}
