// Prints the exact request head WinINet sends for each of the program's
// requests, then for a bare GET and POST under single request flags, as
// "### name" followed by the head's lines: for comparing the Windows library
// under Wine with the Linux stand-in.
#ifdef _WIN32
#include <windows.h>
#include <wininet.h>
#else
#include "platform/winapi/wininet/wininet.h"
#endif

#include <cstdio>
#include <exception>
#include <string>

#include "tests/wininet_wire/head_recorder.h"
#include "tests/wininet_wire/program_request_client.h"
#include "tests/wininet_wire/program_requests.h"

namespace {

void record(const std::string& title, const wininet_wire::ProgramRequest& request, int port,
            wininet_wire::HeadRecorder& recorder, uint32_t flags) {
  const auto result = wininet_wire::send_program_request(port, request, flags);
  std::printf("### %s\n", title.c_str());
  if (!result.sent) {
    std::printf("(not sent, error %u)\n", static_cast<unsigned>(result.error));
  }
  for (const auto& line : wininet_wire::head_lines(recorder.request())) {
    std::printf("%s\n", line.c_str());
  }
}

struct FlagProbe {
  const char* name;
  uint32_t flags;
};

}  // namespace

int main() {
  try {
    const size_t count = wininet_wire::program_requests(0).size();
    for (size_t i = 0; i < count; ++i) {
      wininet_wire::HeadRecorder recorder;
      const auto request = wininet_wire::program_requests(recorder.port())[i];
      record(request.name, request, recorder.port(), recorder, wininet_wire::kProgramFlags);
    }
    const FlagProbe probes[] = {
        {"no flags", 0},
        {"INTERNET_FLAG_RELOAD", INTERNET_FLAG_RELOAD},
        {"INTERNET_FLAG_KEEP_CONNECTION", INTERNET_FLAG_KEEP_CONNECTION},
        {"INTERNET_FLAG_NO_CACHE_WRITE", INTERNET_FLAG_NO_CACHE_WRITE},
        {"INTERNET_FLAG_PRAGMA_NOCACHE", INTERNET_FLAG_PRAGMA_NOCACHE},
    };
    for (const char* verb : {"GET", "POST"}) {
      for (const auto& probe : probes) {
        wininet_wire::HeadRecorder recorder;
        const wininet_wire::ProgramRequest bare{"", verb, "/probe", "", ""};
        record(std::string(verb) + ", " + probe.name, bare, recorder.port(), recorder, probe.flags);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wininet_head_dump: %s\n", e.what());
    return 1;
  }
  return 0;
}
